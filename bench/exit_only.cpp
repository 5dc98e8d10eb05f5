// The bare cost of starting a Windows process: this program only exits.
#include <windows.h>

extern "C" void ExitOnlyEntry() { ExitProcess(0); }
