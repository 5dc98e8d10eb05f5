// boxwatch OUTPUT SECONDS
// Waits for a message box captioned "Error", writes its text to OUTPUT, and
// dismisses it with OK. Exits with 1 when no box came within SECONDS.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

BOOL CALLBACK CollectStaticText(HWND child, LPARAM text) {
  char className[64], buffer[1024];
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, buffer, sizeof buffer) > 0)
    *reinterpret_cast<std::string*>(text) += buffer;
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const DWORD deadline = GetTickCount() + 1000 * static_cast<DWORD>(std::atoi(argv[2]));
  while (GetTickCount() < deadline) {
    HWND box = FindWindowA("#32770", "Error");
    if (box) {
      Sleep(200);  // let the box finish drawing its text
      std::string text;
      EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
      HANDLE file = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
      DWORD written;
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      CloseHandle(file);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(50);
  }
  return 1;
}
