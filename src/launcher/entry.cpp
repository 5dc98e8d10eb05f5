// The shipped executable's entry point. No runtime startup code runs before
// it, and nothing is taken from the command line.
#include "launcher.h"
#include "platform.h"

// Windows may enter with the stack aligned to 4 bytes only (32-bit).
extern "C" __attribute__((force_align_arg_pointer)) void AutolaunchEntry() {
  RunStaticConstructors();
  RunAutolaunch();
}
