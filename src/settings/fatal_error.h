// The one error report of the program: a message box, then the end of the
// process with an exit code taken from the error.
#pragma once

#include "platform.h"

// Where a fatal error was found, shown in the report as eight hexadecimal
// digits. The values never change between builds (README lists them).
enum FatalErrorLocation : DWORD {
  kLocationOpen = 0x00000101,      // opening autorun.inf
  kLocationAtEnd = 0x00000102,     // reading while testing for the end
  kLocationReadLine = 0x00000103,  // reading a line
  kLocationClose = 0x00000104,     // closing the file
  kLocationMemory = 0x00000200,    // memory exhausted
};

constexpr DWORD kOutOfMemoryError = 203;

// Shows "Runtime error NNN at LLLLLLLL" captioned "Error" and ends the
// process with NNN, the low 8 bits of the error (255 when those are 0, so
// that a failure never ends with the success code).
[[noreturn]] void ReportFatalIoError(DWORD error, DWORD location);
