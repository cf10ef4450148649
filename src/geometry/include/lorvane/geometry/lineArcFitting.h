#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "lorvane/geometry/arcGeometry.h"
#include "lorvane/geometry/vectorMath.h"
#include "lorvane/metatree/metaTree.h"

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
// The same for points the caller keeps (a buffer it reuses).
lineArcFitC fitLinesAndArcs(std::span<const point2dC> points, double tol);
// The same into a fit whose buffers are refilled, so that a caller fitting
// shape after shape allocates nothing once they have grown.
void fitLinesAndArcs(std::span<const point2dC> points, double tol, lineArcFitC& fit);
// The same for the points already in fit.points, which are fitted where they are.
void fitInPlace(double tol, lineArcFitC& fit);
// The same for the "POINT" children of a node (an interpolated curve), read
// once as the fitting reaches them.
lineArcFitC fitPointChildren(const metaTreeC* node, double tol);
void fitPointChildren(const metaTreeC* node, double tol, lineArcFitC& fit);

// Hands each piece of a fit, in order, to the visitor: line(a, b), arc(start,
// middle, end) or circle(centre, radius). A piece list that does not match its
// points (made by hand) ends the walk where its points run out. Returns how
// many pieces were handed on.
template <class Visitor>
int visitFittedPieces(const lineArcFitC& fit, Visitor&& visitor) {
  const pointListC& p = fit.points;
  int visited = 0;
  std::size_t j = 0;
  while (j + 1 < fit.pieces.size()) {
    const fitPieceC piece = fit.pieces[j];
    const std::size_t span = piece == fitPieceC::straight ? 1 : 2;
    if (j + span >= p.size()) break;
    if (piece == fitPieceC::straight) {
      visitor.line(p[j], p[j + 1]);
    } else if (piece == fitPieceC::arc) {
      visitor.arc(p[j], p[j + 1], p[j + 2]);
    } else {
      const point2dC centre = circumcentre(p[j], p[j + 1], p[j + 2]);
      visitor.circle(centre, length(subtract(centre, p[j])));
    }
    ++visited;
    j += span;
  }
  return visited;
}

// Appends one "LINE", "ARC" or "CIRCLE" node per piece, in order, after the
// output node's last child; returns how many.
int appendFittedShapes(const lineArcFitC& fit, metaTreeC* output);

}  // namespace lorvane
