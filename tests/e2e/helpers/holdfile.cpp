// holdfile FILE READY RELEASE
// Holds FILE open for writing, as an editor might, creates READY, and lets go
// once RELEASE exists (or after ten minutes).
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  HANDLE held = CreateFileA(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  for (int i = 0; i < 6000; ++i) {
    if (GetFileAttributesA(argv[3]) != INVALID_FILE_ATTRIBUTES) break;
    Sleep(100);
  }
  CloseHandle(held);
  return 0;
}
