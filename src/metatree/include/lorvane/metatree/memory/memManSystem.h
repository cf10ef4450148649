#pragma once
#include <cstddef>
#include <cstdint>

#include "lorvane/metatree/runtimeExport.h"

namespace lorvane {

// The three functions through which the memory system does its work. They are
// process-wide and replaceable (a host may route pooled memory elsewhere, a
// test may make allocations fail). A hook that cannot deliver returns null.
struct memManHooksC {
  void* (*alloc)(std::size_t size);
  void (*free)(void* block);
  void* (*realloc)(void* block, std::size_t size);
};

// One instance per process, made on demand. It counts the blocks it has handed
// out and destroys itself when the count returns to 0, so a process that no
// longer holds any tree holds no pooled memory either.
class LORVANE_RUNTIME_API memManSystemC {
public:
  // The process-wide system; with create set it is made first if there is
  // none, otherwise null is returned when there is none.
  static memManSystemC* get(bool create) { return current_ || !create ? current_ : create_(); }

  // Each raises std::bad_alloc when the hook cannot deliver; nothing is
  // counted then and a reallocated block stays as it was.
  virtual void* alloc(std::size_t size);
  virtual void free(void* block);
  virtual void* realloc(void* block, std::size_t size);

  // Meta tree nodes, counted as blocks like any other. With the size-class
  // allocator installed they come from large pages of nodes that carry no
  // cell header; paged tells freeNode where the block came from, since the
  // hooks may have been replaced in between.
  void* allocNode(std::size_t size, bool& paged);
  void freeNode(void* block, bool paged);

  std::uint32_t blockCount() const { return blockCount_; }

  // Creating the system installs the size-class allocator; replace the hooks
  // afterwards while a block keeps the system alive.
  static void setHooks(const memManHooksC& hooks);
  static memManHooksC hooks();
  static memManHooksC sizeClassHooks();

  memManSystemC(const memManSystemC&) = delete;
  memManSystemC& operator=(const memManSystemC&) = delete;

protected:
  memManSystemC();
  virtual ~memManSystemC();

private:
  // The runtime's inline path for nodes made by the million.
  friend class nodeFactoryC;
  static memManSystemC* create_();
  void countFreed();
  // Read on every pooled allocation, so kept where an inline call sees it.
  static memManSystemC* current_;
  std::uint32_t blockCount_ = 0;
};

// Base of every object whose storage comes from the memory system.
class LORVANE_RUNTIME_API memManInterfaceC {
public:
  memManInterfaceC() = default;
  memManInterfaceC(const memManInterfaceC&) = default;
  memManInterfaceC& operator=(const memManInterfaceC&) = default;
  virtual memManSystemC* getMemorySystem(bool create) const;
  virtual ~memManInterfaceC();

  static void* operator new(std::size_t size);
  static void operator delete(void* block) noexcept;
};

}  // namespace lorvane
