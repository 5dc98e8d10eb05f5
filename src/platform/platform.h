// The program's one door to the operating system.
//
// Everything outside src/platform/ includes this header and calls the Windows
// functions by their own names. CMake puts exactly one of the folders
// windows/ (the real Windows headers) or linux/ (this project's stand-ins for
// the test build) on the include path; both provide "windows_api.h".
#pragma once

#include "windows_api.h"

// Provided by the program, called by the allocator when memory runs out.
// It never returns.
[[noreturn]] void ReportOutOfMemory();
