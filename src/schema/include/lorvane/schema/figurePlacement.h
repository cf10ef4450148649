#pragma once
#include "lorvane/geometry/vectorMath.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane {

// Turns every shape of the chain by degrees about the origin and then moves
// it by offset, leaving the tree as transformChain with the rotation and then
// with the translation leaves it, item by item. The points of the module's
// own lines, arcs, circles, texts, points and curves are read and written
// once, without the registry.
void placeChain(metaTreeC* first, double degrees, const point2dC& offset);

}  // namespace lorvane
