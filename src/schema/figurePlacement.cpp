#include "lorvane/schema/figurePlacement.h"

#include <cstddef>
#include <typeinfo>

#include "lorvane/document/m2dShapes.h"
#include "lorvane/geometry/pointList.h"
#include "lorvane/geometry/shapeArc.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/geometry/shapeIntCurve.h"
#include "lorvane/geometry/shapeLine.h"
#include "lorvane/geometry/shapePoint.h"
#include "lorvane/geometry/transformMatrix.h"

namespace lorvane {

namespace {

// How many leading "POINT" children a shape class moves: all of them, or
// none when the class is not one whose points alone are moved.
constexpr std::size_t kAllPoints = static_cast<std::size_t>(-1);

std::size_t movedPointCount(const metaTreeC* item) {
  const mBaseShape2dC* registered = registeredShapeClass(item);
  if (!registered) return 0;
  // Only the exact classes: a subclass may move in its own way.
  const std::type_info& type = typeid(*registered);
  if (type == typeid(mBaseLine2dC)) return 2;
  if (type == typeid(mBaseArc2dC)) return 3;
  if (type == typeid(mBaseCircle2dC) || type == typeid(mBasePoint2dC) || type == typeid(m2dTextC)) return 1;
  if (type == typeid(mBaseIntCrv2dC)) return kAllPoints;
  return 0;
}

// Moves the first `count` "POINT" children of the item by both matrices, one
// after the other. False, with nothing changed, when the item has fewer: the
// classes add the missing points as they go, which is left to them.
bool placePoints(metaTreeC* item, std::size_t count, const transformMatrixC& first, const transformMatrixC& second) {
  metaTreeC* found[3] = {};
  if (count != kAllPoints) {
    std::size_t n = 0;
    for (metaTreeC* child = item->firstChild(); child && n < count; child = child->next()) {
      if (child->hasKey(kPointKey)) found[n++] = child;
    }
    if (n < count) return false;
    for (std::size_t i = 0; i < count; ++i) {
      mObjPoint2dC point(found[i]);
      point.setPoint(applyTransform(second, applyTransform(first, point.getPoint())));
    }
    return true;
  }
  rewritePointChildren(item, [&](const point2dC& p) { return applyTransform(second, applyTransform(first, p)); });
  return true;
}

}  // namespace

void placeChain(metaTreeC* first, double degrees, const point2dC& offset) {
  const transformMatrixC rotation = rotationMatrix(degrees);
  const transformMatrixC translation = translationMatrix(offset.x, offset.y);
  for (metaTreeC* item = first; item; item = item->next()) {
    const std::size_t count = movedPointCount(item);
    if (count > 0 && placePoints(item, count, rotation, translation)) continue;
    mBaseShape2dC shape(item);
    shape.transform(rotation);
    shape.transform(translation);
  }
}

}  // namespace lorvane
