// Process and shell stand-ins: a settable executable path, recorded shell
// requests and message boxes (also written to stderr, where a death test can
// read them after the process has ended), and an exit that ends the process.

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "stand_in_control.h"
#include "stand_in_state.h"

namespace {

const char kDefaultModulePath[] = "C:\\autolaunch.exe";

std::string& ModulePath() {
  static std::string path = kDefaultModulePath;
  return path;
}

std::vector<standin::ShellRequest>& Requests() {
  static std::vector<standin::ShellRequest> requests;
  return requests;
}

std::string TextOrNull(LPCSTR text) {
  return text ? "\"" + std::string(text) + "\"" : "null";
}

}  // namespace

namespace standin {

void Reset() {
  ResetFiles();
  ResetMemory();
  ResetProcess();
}

void ResetProcess() {
  ModulePath() = kDefaultModulePath;
  Requests().clear();
}

void SetModulePath(const std::string& path) { ModulePath() = path; }

const std::vector<ShellRequest>& ShellRequests() { return Requests(); }

}  // namespace standin

// As on Windows: a name that does not fit is cut to size - 1 characters and
// terminated, and the call returns size. An empty path stands for failure.
DWORD GetModuleFileNameA(HMODULE, LPSTR fileName, DWORD size) {
  const std::string& path = ModulePath();
  if (path.empty() || size == 0) return 0;
  if (path.size() >= size) {
    std::memcpy(fileName, path.data(), size - 1);
    fileName[size - 1] = '\0';
    return size;
  }
  std::memcpy(fileName, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

void ExitProcess(UINT exitCode) {
  std::fflush(nullptr);
  _exit(static_cast<int>(exitCode));
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  std::fprintf(stderr, "MessageBoxA owner=%s caption=%s text=%s style=%u\n",
               owner ? "set" : "null", TextOrNull(caption).c_str(), TextOrNull(text).c_str(),
               style);
  return 1;  // IDOK
}

HINSTANCE ShellExecuteA(HWND window, LPCSTR operation, LPCSTR file,
                        LPCSTR parameters, LPCSTR directory, int showCommand) {
  Requests().push_back({window == nullptr, operation == nullptr, file == nullptr,
                        parameters == nullptr, directory == nullptr,
                        file ? file : "", parameters ? parameters : "",
                        directory ? directory : "", showCommand});
  std::fprintf(stderr, "ShellExecuteA window=%s operation=%s file=%s parameters=%s directory=%s show=%d\n",
               window ? "set" : "null", TextOrNull(operation).c_str(),
               TextOrNull(file).c_str(), TextOrNull(parameters).c_str(),
               TextOrNull(directory).c_str(), showCommand);
  return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(42));  // > 32: success
}
