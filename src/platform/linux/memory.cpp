// The test build's allocator: malloc underneath (so the sanitizers still see
// every block), the out-of-memory report when it fails, and a scriptable
// failure of the n-th allocation. It also keeps the peak of bytes held.

#include <malloc.h>

#include <cstdlib>
#include <new>

#include "platform.h"
#include "stand_in_control.h"
#include "stand_in_state.h"

namespace {

long allocations = 0;
long failAt = 0;  // allocation number that fails; 0 when none is scripted
std::size_t heldBytes = 0;
std::size_t peakBytes = 0;

void* Allocate(std::size_t size) {
  ++allocations;
  if (failAt != 0 && allocations == failAt) {
    failAt = 0;
    ReportOutOfMemory();
  }
  void* block = std::malloc(size ? size : 1);
  if (!block) ReportOutOfMemory();
  heldBytes += malloc_usable_size(block);
  if (heldBytes > peakBytes) peakBytes = heldBytes;
  return block;
}

void Release(void* block) {
  if (!block) return;
  heldBytes -= malloc_usable_size(block);
  std::free(block);
}

}  // namespace

namespace standin {

void FailAllocation(long nth) { failAt = nth > 0 ? allocations + nth : 0; }
std::size_t PeakHeapBytes() { return peakBytes; }
void ResetPeakHeap() { peakBytes = heldBytes; }

void ResetMemory() {
  allocations = 0;
  failAt = 0;
  peakBytes = heldBytes;
}

}  // namespace standin

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
