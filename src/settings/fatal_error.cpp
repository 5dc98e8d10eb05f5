#include "fatal_error.h"

void ReportFatalIoError(DWORD error, DWORD location) {
  DWORD code = error & 0xFF;
  if (code == 0) code = 255;

  // Built in place: this report also runs when no memory is left.
  char text[] = "Runtime error     at 00000000";
  int last = 16;  // the code's last digit is the 17th character
  DWORD rest = code;
  do {
    text[last--] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);

  static const char kHexDigits[] = "0123456789ABCDEF";
  last = 28;  // the location's last digit is the 29th character
  rest = location;
  do {
    text[last--] = kHexDigits[rest & 0xF];
    rest >>= 4;
  } while (rest != 0);

  MessageBoxA(nullptr, text, "Error", MB_OK);
  ExitProcess(code);
}

void ReportOutOfMemory() { ReportFatalIoError(kOutOfMemoryError, kLocationMemory); }
