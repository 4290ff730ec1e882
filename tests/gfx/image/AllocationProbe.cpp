// Replaces the global allocation functions of a test program with ones that note the size of
// every request; linking this file into a program is enough to switch the probe on.
#include "tests/gfx/image/AllocationProbe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> gLargest{0};

void* Allocate(std::size_t size) {
  std::size_t seen = gLargest.load(std::memory_order_relaxed);
  while (size > seen && !gLargest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
  }
  if (void* p = std::malloc(size != 0 ? size : 1)) return p;
  throw std::bad_alloc();
}

}  // namespace

void ResetLargestAllocation() {
  gLargest.store(0, std::memory_order_relaxed);
}

std::size_t LargestAllocation() {
  return gLargest.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
