// Stands in for the programs that autolaunch starts in the end-to-end tests.
// Appends its own path, its working directory and its command line to the
// file that the environment variable AUTOLAUNCH_RECORD names.
#include <windows.h>

#include <string>

int main() {
  static char recordPath[32768], module[32768], folder[32768];
  if (!GetEnvironmentVariableA("AUTOLAUNCH_RECORD", recordPath, sizeof recordPath)) return 1;
  GetModuleFileNameA(nullptr, module, sizeof module);
  GetCurrentDirectoryA(sizeof folder, folder);
  const std::string record = std::string("module=") + module + "\ndirectory=" + folder +
                             "\ncommand=" + GetCommandLineA() + "\n--\n";
  HANDLE file = CreateFileA(recordPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  DWORD written;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
