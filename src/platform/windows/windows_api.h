// Windows builds: the real API.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>

// The shipped executable runs without the C runtime's startup code; its entry
// point calls this first to construct the program's globals.
void RunStaticConstructors();
