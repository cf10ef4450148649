#pragma once
#include <string_view>

#include "lorvane/geometry/shapeKeys.h"
#include "lorvane/geometry/vectorMath.h"
#include "lorvane/metatree/metaKeyContainer.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane {

// Appends children to one parent in constant time each: the last child is
// found once and then remembered, where a plain append walks the whole child
// list every time. Nothing else may add children to the parent meanwhile.
class childAppenderC {
public:
  explicit childAppenderC(metaTreeC* parent);
  // Links a free-standing node (its chain stays behind it) as the new last child.
  void append(metaTreeC* chain);
  metaTreeC* parent() const { return parent_; }

private:
  metaTreeC* parent_;
  metaTreeC* last_;
};

// Appends one "POINT" key holding the point (x, y).
void appendPointChild(childAppenderC& appender, const point2dC& point);

// A "POINT" key read as a point: exactly two number children give (x, y),
// anything else (0, 0), as mObjPoint2dC reads it. Written out here because
// curves of many points are read point by point.
inline point2dC pointValue(const metaTreeC* key) {
  double values[2] = {0.0, 0.0};
  int numbers = 0;
  for (const metaTreeC* child = key->firstChild(); child; child = child->next()) {
    if (!child->value().isNumber()) continue;
    if (numbers == 2) return {};
    values[numbers++] = child->value().number();
  }
  return numbers == 2 ? point2dC{values[0], values[1]} : point2dC{};
}

// The points of every "POINT" child in child order; other children are passed
// over, a malformed point reads as (0, 0).
pointListC readPointChildren(const metaTreeC* node);

// Hands each "POINT" child to f, which returns its new value.
template <class F>
void rewritePointChildren(metaTreeC* node, F&& f) {
  for (metaTreeC* child = node ? node->firstChild() : nullptr; child; child = child->next()) {
    if (!child->hasKey(kPointKey)) continue;
    mObjPoint2dC point(child);
    point.setPoint(f(point.getPoint()));
  }
}

}  // namespace lorvane
