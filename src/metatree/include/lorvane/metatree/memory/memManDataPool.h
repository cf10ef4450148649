#pragma once
#include <cstddef>
#include <utility>

#include "lorvane/metatree/memory/memManSystem.h"

namespace lorvane {

// An owned, resizable buffer of pooled memory. It is embedded in the objects
// that use it (a text's characters, a page table), so it carries no vtable.
class LORVANE_RUNTIME_API memManRawDataPoolC {
public:
  memManRawDataPoolC() = default;
  memManRawDataPoolC(const memManRawDataPoolC&) = delete;
  memManRawDataPoolC& operator=(const memManRawDataPoolC&) = delete;
  memManRawDataPoolC(memManRawDataPoolC&& other) noexcept : buffer_(other.buffer_), size_(other.size_) {
    other.buffer_ = nullptr;
    other.size_ = 0;
  }
  ~memManRawDataPoolC() { release(); }

  void swap(memManRawDataPoolC& other) noexcept {
    std::swap(buffer_, other.buffer_);
    std::swap(size_, other.size_);
  }

  // Replaces the buffer by a new one of n bytes (contents undefined).
  inline void allocate(std::size_t bytes);
  inline void release();
  // Keeps the first min(old, new) bytes; may move the buffer.
  inline void resize(std::size_t bytes);

  void* data() const { return buffer_; }
  std::size_t size() const { return size_; }

private:
  void* buffer_ = nullptr;
  std::size_t size_ = 0;
};

template <class T>
class memManDataPoolC : public memManRawDataPoolC {
public:
  T* data() const { return static_cast<T*>(memManRawDataPoolC::data()); }
  std::size_t count() const { return size() / sizeof(T); }
};

inline void memManRawDataPoolC::allocate(std::size_t bytes) {
  release();
  buffer_ = memManSystemC::get(true)->alloc(bytes);
  size_ = bytes;
}

inline void memManRawDataPoolC::release() {
  if (!buffer_) return;
  if (memManSystemC* system = memManSystemC::get(false)) system->free(buffer_);
  buffer_ = nullptr;
  size_ = 0;
}

inline void memManRawDataPoolC::resize(std::size_t bytes) {
  buffer_ = memManSystemC::get(true)->realloc(buffer_, bytes);
  size_ = bytes;
}

}  // namespace lorvane
