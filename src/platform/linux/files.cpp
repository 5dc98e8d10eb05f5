// File stand-ins: CreateFileA, ReadFile and CloseHandle on real files through
// POSIX calls, with errno mapped to the Windows error codes, Windows share
// modes enforced between the handles of this process, and failures that a
// test can script per call.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "stand_in_control.h"
#include "stand_in_state.h"

namespace {

struct OpenFile {
  int fd;
  DWORD access;
  DWORD shareMode;
  dev_t device;
  ino_t inode;
};

std::map<std::intptr_t, OpenFile>& OpenFiles() {
  static std::map<std::intptr_t, OpenFile> files;
  return files;
}

std::intptr_t nextHandle = 0x100;
DWORD lastError = 0;
int readCalls = 0;

struct ScriptedFailure {
  standin::FileCall call;
  DWORD error;
  int nthRead;
};
std::vector<ScriptedFailure> scriptedFailures;

// Takes the scripted failure for this call, if there is one.
bool TakeScriptedFailure(standin::FileCall call, DWORD* error) {
  for (auto it = scriptedFailures.begin(); it != scriptedFailures.end(); ++it) {
    if (it->call != call) continue;
    if (call == standin::FileCall::Read && it->nthRead != readCalls) continue;
    *error = it->error;
    scriptedFailures.erase(it);
    return true;
  }
  return false;
}

std::string PosixPath(const std::string& windowsPath) {
  std::string path = windowsPath;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

DWORD WindowsErrorOfOpen(int error, const std::string& path) {
  switch (error) {
    case ENOENT: {
      // Windows tells a missing file (2) from a missing folder (3).
      std::string::size_type slash = path.rfind('/');
      std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
      return IsDirectory(folder) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_GEN_FAILURE;
  }
}

bool SharingAllows(const OpenFile& held, DWORD access, DWORD shareMode) {
  if ((access & GENERIC_READ) && !(held.shareMode & FILE_SHARE_READ)) return false;
  if ((access & GENERIC_WRITE) && !(held.shareMode & FILE_SHARE_WRITE)) return false;
  if ((held.access & GENERIC_READ) && !(shareMode & FILE_SHARE_READ)) return false;
  if ((held.access & GENERIC_WRITE) && !(shareMode & FILE_SHARE_WRITE)) return false;
  return true;
}

HANDLE Fail(DWORD error) {
  lastError = error;
  return INVALID_HANDLE_VALUE;
}

}  // namespace

namespace standin {

void FailFileCall(FileCall call, DWORD error, int nthRead) {
  scriptedFailures.push_back({call, error, nthRead});
}

int ReadCallCount() { return readCalls; }

void ResetFiles() {
  for (auto& entry : OpenFiles()) close(entry.second.fd);
  OpenFiles().clear();
  scriptedFailures.clear();
  readCalls = 0;
  lastError = 0;
}

}  // namespace standin

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD, HANDLE) {
  DWORD scripted;
  if (TakeScriptedFailure(standin::FileCall::Open, &scripted)) return Fail(scripted);
  if (disposition != OPEN_EXISTING) return Fail(ERROR_GEN_FAILURE);  // not needed here

  std::string path = PosixPath(fileName);
  int flags = (access & GENERIC_WRITE) ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY)
                                       : O_RDONLY;
  int fd = open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return Fail(WindowsErrorOfOpen(errno, path));

  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    return Fail(ERROR_ACCESS_DENIED);  // as Windows answers for a folder
  }
  for (const auto& entry : OpenFiles()) {
    const OpenFile& held = entry.second;
    if (held.device == info.st_dev && held.inode == info.st_ino &&
        !SharingAllows(held, access, shareMode)) {
      close(fd);
      return Fail(ERROR_SHARING_VIOLATION);
    }
  }
  std::intptr_t handle = nextHandle++;
  OpenFiles()[handle] = {fd, access, shareMode, info.st_dev, info.st_ino};
  return reinterpret_cast<HANDLE>(handle);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
              LPOVERLAPPED) {
  *bytesRead = 0;
  ++readCalls;
  auto it = OpenFiles().find(reinterpret_cast<std::intptr_t>(file));
  if (it == OpenFiles().end()) {
    lastError = ERROR_INVALID_HANDLE;
    return 0;
  }
  DWORD scripted;
  if (TakeScriptedFailure(standin::FileCall::Read, &scripted)) {
    lastError = scripted;
    return 0;
  }
  ssize_t got;
  do {
    got = read(it->second.fd, buffer, bytesToRead);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    lastError = errno == EISDIR ? ERROR_ACCESS_DENIED : ERROR_GEN_FAILURE;
    return 0;
  }
  *bytesRead = static_cast<DWORD>(got);
  return 1;
}

BOOL CloseHandle(HANDLE object) {
  auto it = OpenFiles().find(reinterpret_cast<std::intptr_t>(object));
  if (it == OpenFiles().end()) {
    lastError = ERROR_INVALID_HANDLE;
    return 0;
  }
  close(it->second.fd);
  OpenFiles().erase(it);
  DWORD scripted;
  if (TakeScriptedFailure(standin::FileCall::Close, &scripted)) {
    lastError = scripted;
    return 0;
  }
  return 1;
}

DWORD GetLastError() { return lastError; }
