#pragma once
#include "geometry/transformMatrix.h"
#include "geometry/vectorMath.h"
#include "metatree/metaTree.h"

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

// Turns every shape of the chain by degrees about the origin and then moves
// it by offset, leaving the tree as transformChain with the rotation and then
// with the translation leaves it, item by item. The points of the module's
// own lines, arcs, circles, texts, points and curves are read and written
// once, without the registry.
void placeChain(metaTreeC* first, double degrees, const point2dC& offset);

}  // namespace lorvane
