// This program's heap: the global operator new follows the failure plan.
// Kept apart from the callers, so that no call is inlined next to its
// matching delete.
#include "failingHeap.h"

#include <cstdlib>
#include <new>

failurePlanC gPlan;

namespace {
bool heapShouldFail() { return gPlan.armed && gPlan.heap && gPlan.step(); }
}  // namespace

void* operator new(std::size_t size) {
  if (heapShouldFail()) throw std::bad_alloc();
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (heapShouldFail()) return nullptr;
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return ::operator new(size, tag); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
