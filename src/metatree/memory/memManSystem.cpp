#include "lorvane/metatree/memory/memManSystem.h"

#include <new>

#include "lorvane/metatree/memory/memManCheckLeak.h"
#include "lorvane/metatree/memory/nodePages.h"
#include "lorvane/metatree/memory/sizeClassAllocator.h"
#include "nodePool.h"
#include "sizeClassState.h"

namespace lorvane {
namespace {

memManHooksC gHooks = memManSystemC::sizeClassHooks();

void installHooks(const memManHooksC& hooks) {
  gHooks = hooks;
  nodePages::gPool.pagedNodes = hooks.alloc == &sizeClassAllocator::allocate;
}

// The system object itself is not pooled: it must outlive every block.
class systemInstanceC final : public memManSystemC {
public:
  systemInstanceC() = default;
  ~systemInstanceC() override = default;
};

}  // namespace

memManSystemC::memManSystemC() = default;
memManSystemC::~memManSystemC() = default;

memManHooksC memManSystemC::sizeClassHooks() {
  return {&sizeClassAllocator::allocate, &sizeClassAllocator::release,
          &sizeClassAllocator::reallocate};
}

void memManSystemC::setHooks(const memManHooksC& hooks) { installHooks(hooks); }
memManHooksC memManSystemC::hooks() { return gHooks; }

memManSystemC* memManSystemC::current_ = nullptr;

memManSystemC* memManSystemC::create_() {
  current_ = new (std::nothrow) systemInstanceC;
  if (!current_) throw std::bad_alloc();
  installHooks(sizeClassHooks());
  return current_;
}

// The default hooks are called directly, so that the allocator's fast path
// can be inlined here; replaced hooks go through their pointers.
void* memManSystemC::alloc(std::size_t size) {
  void* block = nullptr;
  if (gHooks.alloc == &sizeClassAllocator::allocate) {
    block = sizeClassAllocator::allocateFast(size);
    if (!block) block = sizeClassAllocator::allocate(size);
  } else {
    block = gHooks.alloc(size);
  }
  if (!block) throw std::bad_alloc();
  ++blockCount_;
  return block;
}

void memManSystemC::free(void* block) {
  if (!block) return;
  if (gHooks.free == &sizeClassAllocator::release) {
    if (!sizeClassAllocator::releaseFast(block)) sizeClassAllocator::release(block);
  } else {
    gHooks.free(block);
  }
  countFreed();
}

void memManSystemC::countFreed() {
  if (--blockCount_ == 0) {
    if (current_ == this) current_ = nullptr;
    delete this;
  }
}

void* memManSystemC::allocNode(std::size_t size, bool& paged) {
  paged = nodePages::gPool.pagedNodes;
  if (!paged) return alloc(size);
  void* block = nodePages::allocate(size);
  if (!block) throw std::bad_alloc();
  ++blockCount_;
  return block;
}

void memManSystemC::freeNode(void* block, bool paged) {
  if (!paged) {
    free(block);
    return;
  }
  nodePages::release(block);
  countFreed();
}

void* memManSystemC::realloc(void* block, std::size_t size) {
  void* moved = gHooks.realloc(block, size);
  if (!moved) throw std::bad_alloc();
  if (!block) ++blockCount_;
  return moved;
}

memManSystemC* memManInterfaceC::getMemorySystem(bool create) const {
  return memManSystemC::get(create);
}

memManInterfaceC::~memManInterfaceC() = default;

memManCheckLeakC::~memManCheckLeakC() = default;

void* memManInterfaceC::operator new(std::size_t size) {
  return memManSystemC::get(true)->alloc(size);
}

void memManInterfaceC::operator delete(void* block) noexcept {
  if (!block) return;
  if (memManSystemC* system = memManSystemC::get(false)) system->free(block);
}

}  // namespace lorvane
