// What the shipped executable has in place of the C and C++ runtime.
//
// autolaunch is linked without the compiler's startup files and libraries, so
// that it imports nothing but Windows itself and stays a few KB. This file
// supplies the little that the program and std::string still need from them:
// memory from the process heap, the memory and string functions the compiler
// emits calls to, the library's error hooks, and static constructors.

#include <cstddef>

#include "platform.h"

// The compiler may emit calls to these for copies and clears of its own.
// Built with -fno-builtin and -fno-tree-loop-distribute-patterns, so that
// none of these loops is turned back into a call to itself.
extern "C" {

void* memcpy(void* destination, const void* source, std::size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  while (count--) *to++ = *from++;
  return destination;
}

void* memmove(void* destination, const void* source, std::size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  if (to < from) {
    while (count--) *to++ = *from++;
  } else {
    while (count--) to[count] = from[count];
  }
  return destination;
}

void* memset(void* destination, int value, std::size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  while (count--) *to++ = static_cast<unsigned char>(value);
  return destination;
}

int memcmp(const void* left, const void* right, std::size_t count) {
  const auto* a = static_cast<const unsigned char*>(left);
  const auto* b = static_cast<const unsigned char*>(right);
  for (; count--; ++a, ++b)
    if (*a != *b) return *a < *b ? -1 : 1;
  return 0;
}

void* memchr(const void* memory, int value, std::size_t count) {
  const auto* at = static_cast<const unsigned char*>(memory);
  for (; count--; ++at)
    if (*at == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(at);
  return nullptr;
}

std::size_t strlen(const char* text) {
  std::size_t length = 0;
  while (text[length]) ++length;
  return length;
}

// Destructors of globals would be registered here; the process ends through
// ExitProcess and Windows takes back everything, so there is nothing to keep.
int atexit(void (*)()) { return 0; }

}  // extern "C"

// Memory from the process heap; running out is fatal, with the 203 report.
// (LocalAlloc serves from that heap with one import fewer than HeapAlloc.)
namespace {
void* Allocate(std::size_t size) {
  void* block = LocalAlloc(LMEM_FIXED, size ? size : 1);
  if (!block) ReportOutOfMemory();
  return block;
}
void Release(void* block) {
  if (block) LocalFree(block);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }

// Without exceptions, std::string calls these when a size cannot be had: a
// string longer than memory can hold, which is the out-of-memory case.
namespace std {
void __throw_length_error(const char*) { ReportOutOfMemory(); }
void __throw_logic_error(const char*) { ReportOutOfMemory(); }
void __throw_out_of_range_fmt(const char*, ...) { ReportOutOfMemory(); }
void __throw_bad_alloc() { ReportOutOfMemory(); }
void __throw_bad_array_new_length() { ReportOutOfMemory(); }
}  // namespace std

// The linker script gathers the constructors of globals between these two
// symbols (cmake/autolaunch.ld).
typedef void (*Constructor)();
// (Named by assembler name: 32-bit C names would otherwise gain an underscore.)
extern Constructor __autolaunch_constructors_start[] __asm__("__autolaunch_constructors_start");
extern Constructor __autolaunch_constructors_end[] __asm__("__autolaunch_constructors_end");

void RunStaticConstructors() {
  for (Constructor* entry = __autolaunch_constructors_start; entry != __autolaunch_constructors_end;
       ++entry)
    (*entry)();
}
