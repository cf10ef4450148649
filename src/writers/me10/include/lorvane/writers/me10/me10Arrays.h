#pragma once
#include <vector>

#include "lorvane/metatree/memory/largeBlocks.h"

namespace lorvane {

// An array of a part that grows with the drawing (points, elements, the
// point table): its memory is asked for in large pages once it is big.
template <class T>
using bigArrayT = std::vector<T, largeBlocks::allocatorC<T>>;

}  // namespace lorvane
