// Linux test build: stand-ins for the few Windows calls the program makes,
// declared the way the program uses them. Files are real files on disk;
// the rest is recorded so that tests can look at it (see stand_in_control.h).
#pragma once

#include <cstdint>

#define WINAPI

typedef std::uint32_t DWORD;
typedef int BOOL;
typedef unsigned int UINT;
typedef void* HANDLE;
typedef struct StandInWindow* HWND;
typedef struct StandInModule* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* LPVOID;
typedef DWORD* LPDWORD;
typedef struct StandInOverlapped* LPOVERLAPPED;
typedef struct StandInSecurityAttributes* LPSECURITY_ATTRIBUTES;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_BROKEN_PIPE = 109;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;

constexpr int SW_SHOWNORMAL = 1;
constexpr UINT MB_OK = 0;

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES security, DWORD disposition,
                   DWORD flags, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
              LPOVERLAPPED overlapped);
BOOL CloseHandle(HANDLE object);
DWORD GetLastError();

[[noreturn]] void ExitProcess(UINT exitCode);

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style);

HINSTANCE ShellExecuteA(HWND window, LPCSTR operation, LPCSTR file,
                        LPCSTR parameters, LPCSTR directory, int showCommand);
