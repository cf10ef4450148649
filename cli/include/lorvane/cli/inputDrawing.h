#pragma once
// The drawing as the host holds it, placed the way both writers place it:
// each figure's items rotated by the insert point's rotation, then moved by
// its point. Lines, arcs, circles and texts become elements; every other
// item is kept as a marker, because the writers turn it into lines and arcs
// of their own making.
#include <cstddef>
#include <string>
#include <vector>

#include "lorvane/metatree/metaTree.h"
#include "lorvane/preview/scene.h"

namespace lorvane::cli {

struct inputItemC {
  bool isElement = false;         // a line, arc, circle or text; else another item
  preview::elementC element;      // placed, in drawing units
  std::string key;                // the item's key
  std::size_t sourceLine = 0;     // line of the text file the item stands on
  bool suppressedInMeta2d = false;  // follows a shape attribute of type 4
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
