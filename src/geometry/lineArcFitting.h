#pragma once
#include <cstdint>
#include <vector>

#include "geometry/vectorMath.h"
#include "metatree/metaTree.h"

namespace lorvane {

// What starts at a point of a fitted sequence.
enum class fitPieceC : std::uint8_t {
  straight = 0,  // a line to the next point
  arc = 1,       // an arc through the next point to the one after (the next point's entry repeats it)
  circle = 2,    // a full circle through this and the next two points (likewise)
};

// A fitted sequence: the points left after the fitting dropped those that a
// longer arc or line made redundant, and one piece entry per decided point.
struct lineArcFitC {
  pointListC points;
  std::vector<fitPieceC> pieces;
};

// Whether d lies within tol (radially) of the circle through a, b and c;
// false when a, b and c are (nearly) collinear.
bool onCircle(const point2dC& a, const point2dC& b, const point2dC& c, const point2dC& d, double tol);

// Grows every arc greedily as far as the points stay on one circle, merges
// nearly collinear straight segments (cosine deficit below tol / 100) and
// closes a circle when the points come back to an arc's start.
lineArcFitC fitLinesAndArcs(pointListC points, double tol);
// The same for the "POINT" children of a node (an interpolated curve), read
// once as the fitting reaches them.
lineArcFitC fitPointChildren(const metaTreeC* node, double tol);

// Appends one "LINE", "ARC" or "CIRCLE" node per piece, in order, after the
// output node's last child; returns how many.
int appendFittedShapes(const lineArcFitC& fit, metaTreeC* output);

}  // namespace lorvane
