#pragma once
#include "lorvane/geometry/transformMatrix.h"
#include "lorvane/geometry/vectorMath.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane {

// Moves every child of the node, through the shape class registered for each
// child's key; children without a shape class are left alone.
void transformAll(metaTreeC* parent, const transformMatrixC& matrix);
// Scales every child of the node about the origin; a factor of exactly 0 does
// nothing.
void scaleAll(metaTreeC* parent, double factor);

// The same for a chain: the first node and every sibling after it.
void transformChain(metaTreeC* first, const transformMatrixC& matrix);
void scaleChain(metaTreeC* first, double factor);

}  // namespace lorvane
