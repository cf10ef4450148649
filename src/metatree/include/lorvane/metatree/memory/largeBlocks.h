#pragma once
// Memory for a writer's big arrays (an MI part's points, elements and point
// table): where the system gives large pages, such an array is faulted in a
// 2 MiB page at a time instead of 4 KiB, and its random look-ups miss the
// address cache far less often. Only a request: without large pages the
// blocks are plain memory, and nothing depends on them.
#include <cstddef>
#include <limits>
#include <new>

#include "lorvane/metatree/runtimeExport.h"

namespace lorvane::largeBlocks {

// At least bytes of memory, aligned for any object, or null when there is
// none. A request below a megabyte goes to the heap: a small drawing's
// arrays do not each take a large page.
LORVANE_RUNTIME_API void* allocate(std::size_t bytes) noexcept;
// Gives back a block of allocate(bytes); bytes must be the same.
LORVANE_RUNTIME_API void release(void* block, std::size_t bytes) noexcept;

// A standard allocator over allocate and release, for std::vector.
template <class T>
struct allocatorC {
  using value_type = T;
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

  allocatorC() = default;
  template <class U>
  allocatorC(const allocatorC<U>&) noexcept {}

  T* allocate(std::size_t count) {
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
    void* block = largeBlocks::allocate(count * sizeof(T));
    if (!block) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* block, std::size_t count) noexcept { largeBlocks::release(block, count * sizeof(T)); }

  template <class U>
  bool operator==(const allocatorC<U>&) const noexcept {
    return true;
  }
};

}  // namespace lorvane::largeBlocks
