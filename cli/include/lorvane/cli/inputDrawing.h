#pragma once
// The drawing as the host holds it, placed the way both writers place it:
// each figure's items rotated by the insert point's rotation, then moved by
// its point. Lines, arcs, circles and texts become elements; every other
// item is kept as a marker with the shape the writers turn into lines and
// arcs of their own making.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "lorvane/metatree/metaTree.h"
#include "lorvane/preview/scene.h"

namespace lorvane::cli {

enum class approximatedKind { none, ellipse, ellipseArc, curve };

// A shape the writers approximate, placed: an ellipse (its centre, semi-axes
// and the turn of its axes), an elliptic arc (the same, from one parameter
// angle to the other) or an interpolated curve (its points). Any other
// item has no shape: the writers make nothing of it.
struct approximatedShapeC {
  approximatedKind kind = approximatedKind::none;
  preview::pointC centre;
  double radius1 = 0;
  double radius2 = 0;
  double axisDegrees = 0;
  double startDegrees = 0;  // elliptic arc: parameter angles, as the drawing gives them
  double endDegrees = 0;
  std::vector<preview::pointC> points;  // curve
};

// A drawing has millions of items and few of them are shapes the writers
// approximate: such a shape is held apart, where an item has one.
struct inputItemC {
  preview::elementC element;      // placed, in drawing units
  std::string key;                // the item's key
  std::size_t sourceLine = 0;     // line of the text file the item stands on
  std::unique_ptr<const approximatedShapeC> approximated;  // of an item that is no element, if it has a shape
  bool isElement = false;           // a line, arc, circle or text; else another item
  bool suppressedInMeta2d = false;  // follows a shape attribute of type 4

  // The shape of an item that is no element (kind none for one without).
  const approximatedShapeC& shape() const {
    static const approximatedShapeC kNone;
    return approximated ? *approximated : kNone;
  }
};

struct inputFigureC {
  std::string name;
  std::size_t sourceLine = 0;
  std::vector<inputItemC> items;
};

// The figures of a DRAWING (its DRAWINGITEMS' FIGURE children in order) or
// the one FIGURE given; none for any other node.
std::vector<inputFigureC> placeInputFigures(const metaTreeC* drawing);

// How many items the figures of a DRAWING, or the one FIGURE, hold: what a
// batch counts as the size of its drawings.
std::size_t drawingItemCount(const metaTreeC* drawing);

}  // namespace lorvane::cli
