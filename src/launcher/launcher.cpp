#include "launcher.h"

#include "platform.h"
#include "settings.h"

std::string ProgramPath;
std::string ProgramFolder;

namespace {

// GetModuleFileNameA cuts a path that does not fit and then reports the whole
// buffer as used; ask again with a larger buffer until the path fits.
std::string ExecutablePath() {
  for (DWORD size = 261;; size *= 2) {
    std::string buffer(size, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, &buffer[0], size);
    if (length < size) return buffer.substr(0, length);  // 0 when the call failed
  }
}

}  // namespace

std::size_t LastDelimiterPos(const std::string& delimiters, const std::string& s) {
  for (std::size_t i = s.size(); i > 0; --i) {
    const char c = s[i - 1];
    if (c != '\0' && delimiters.find(c) != std::string::npos) return i;
  }
  return 0;
}

std::string FolderOfPath(const std::string& path) {
  return path.substr(0, LastDelimiterPos("\\:", path));
}

bool LaunchAutorun() {
  const std::string value = ReadSettingValue(ProgramFolder + "autorun.inf", "autorun", "OPEN", "");
  if (value.empty()) return false;

  // Only the first blank separates the file from its parameters; one leading
  // backslash of the file is dropped, and the file is always joined onto our
  // own folder.
  const std::string::size_type blank = value.find(' ');
  const std::string::size_type start = value[0] == '\\' ? 1 : 0;
  std::string file = ProgramFolder;
  file.append(value, start, blank - start);  // (cheaper than ProgramFolder + substr)
  const std::string parameters = blank == std::string::npos ? "" : value.substr(blank + 1);

  // Starting ourselves would start ourselves again, without end.
  if (!ProgramPath.empty() && EqualsIgnoringAsciiCase(file, ProgramPath)) return false;

  ShellExecuteA(nullptr, nullptr, file.c_str(), parameters.c_str(), ProgramFolder.c_str(),
                SW_SHOWNORMAL);
  return true;  // the shell's answer is not ours to report
}

void RunAutolaunch() {
  ProgramPath = ExecutablePath();
  ProgramFolder = FolderOfPath(ProgramPath);
  if (!ProgramFolder.empty() && ProgramFolder.back() != '\\') ProgramFolder += '\\';
  LaunchAutorun();
  ExitProcess(0);
}
