#pragma once
// Nodes made by the million, as a text read makes them; internal to the
// runtime.
#include <new>

#include "lorvane/metatree/memory/memManSystem.h"
#include "lorvane/metatree/metaTree.h"
#include "memory/nodePool.h"

namespace lorvane {

class nodeFactoryC {
public:
  // new metaTreeC, with the node pool's common case taken inline: the calls
  // per node through the operator, the memory system and the pool cost about
  // a sixth of reading. What the inline path does is what those calls do for
  // a fresh cell.
  static metaTreeC* newNode() {
    memManSystemC* const system = memManSystemC::current_;
    if (system) {
      if (void* cell = nodePages::takeFreshCell()) {
        ++system->blockCount_;
        metaTreeC::lastAllocationPaged_ = true;
        return ::new (cell) metaTreeC;
      }
    }
    return new metaTreeC;
  }
};

}  // namespace lorvane
