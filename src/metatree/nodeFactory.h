#pragma once
// Nodes made by the million, as a text read makes them; internal to the
// runtime.
#include <cstdint>
#include <new>

#include "lorvane/metatree/memory/memManSystem.h"
#include "lorvane/metatree/metaTree.h"
#include "memory/nodePool.h"

namespace lorvane {

// new metaTreeC for one read, with the node pool's common case taken
// inline: the calls per node through the operator, the memory system and
// the pool cost about a sixth of reading. The factory takes a run of fresh
// cells from the pool's page in use and cuts nodes off it; what the inline
// path does is what those calls do for a fresh cell. Cells not cut off go
// back when the factory is done, or sooner with giveBack, which is due
// before a host's code runs: it may replace the hooks that nodes come from.
class nodeFactoryC {
public:
  nodeFactoryC() = default;
  nodeFactoryC(const nodeFactoryC&) = delete;
  nodeFactoryC& operator=(const nodeFactoryC&) = delete;
  ~nodeFactoryC() { giveBack(); }

  metaTreeC* newNode() {
    if (run_.next == run_.end && !refill()) return new metaTreeC;
    void* const cell = run_.next;
    run_.next += cellBytes_;
    metaTreeC::lastAllocationPaged_ = true;
    return ::new (cell) metaTreeC;
  }

  // A fresh node holding a number or a shared key, tagged with its line.
  // Its value is empty, so it is written in one go: no earlier text to let
  // go of, and no field read back from the cell, which is not yet in cache.
  metaTreeC* newNumberNode(double number, std::int32_t line) {
    metaTreeC* const node = newNode();
    fill(node->value_, metaValueKind::number, false, line).payload_.number = number;
    return node;
  }
  metaTreeC* newKeyNode(sharedStrC* key, std::int32_t line) {
    metaTreeC* const node = newNode();
    fill(node->value_, metaValueKind::key, true, line).payload_.text = key;
    key->retain();
    return node;
  }

  void giveBack() {
    if (run_.next == run_.end) return;
    system_->blockCount_ -= static_cast<std::uint32_t>(nodePages::giveBackRun(run_));
    // Where the pool could not take them back whole, they go as freed nodes.
    for (; run_.next != run_.end; run_.next += cellBytes_) system_->freeNode(run_.next, true);
  }

private:
  bool refill() {
    system_ = memManSystemC::current_;
    if (!system_) return false;
    const std::size_t taken = nodePages::takeFreshRun(run_);
    if (taken == 0) return false;
    cellBytes_ = nodePages::gPool.cellBytes;
    system_->blockCount_ += static_cast<std::uint32_t>(taken);
    return true;
  }

  static metaValueC& fill(metaValueC& value, metaValueKind kind, bool shared, std::int32_t line) {
    value.tagLine_ = line;
    value.kind_ = static_cast<std::uint8_t>(kind);
    value.shared_ = shared;
    value.extraForm_ = metaValueC::kExtraZero;
    return value;
  }

  nodePages::freshRunC run_;
  memManSystemC* system_ = nullptr;
  std::size_t cellBytes_ = 0;
};

}  // namespace lorvane
