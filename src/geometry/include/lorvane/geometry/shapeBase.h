#pragma once
#include <string_view>

#include "lorvane/geometry/shapeKeys.h"
#include "lorvane/geometry/transformMatrix.h"
#include "lorvane/geometry/vectorMath.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane {

// The operations that a shape with its own size and place implements itself
// (point, circle, line, arc), and those of a curve with two ends (line, arc),
// declared alike in each class.
#define LORVANE_SHAPE_MEASURES                                                          \
  double getLength() override;                                                          \
  int getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3) override; \
  int transform(const transformMatrixC& matrix) override;                               \
  int getPoints(pointListC& points, double step) override;                              \
  int scale(double factor) override
#define LORVANE_SHAPE_ENDS                                                  \
  int getEndPoints(point2dC& start, point2dC& end) override;                \
  int setEndPoints(const point2dC& start, const point2dC& end) override;    \
  int reverse() override

// A 2D shape: a view of one shape node that holds nothing but the node
// reference. Each operation reads (and writes) the node's children when it
// runs. Bound to any shape node, the base class answers as the class that the
// shape registry holds for the node's key; a class overrides what it does
// itself and leaves the rest to that forwarding, which ends at the class's own
// prototype and then does nothing (result 0, outputs untouched).
class mBaseShape2dC : public metaObjectC {
public:
  explicit mBaseShape2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  virtual double getLength();
  // Corners in the order (xmin, ymin), (xmax, ymin), (xmax, ymax), (xmin, ymax).
  virtual int getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3);
  virtual int transform(const transformMatrixC& matrix);
  // Empties the list, fills it; the step is in radians, 0 for the default.
  virtual int getPoints(pointListC& points, double step);
  // About the origin.
  virtual int scale(double factor);
  // Appends "LINE", "ARC" and "CIRCLE" nodes that follow the shape within tol
  // to the output node's children; returns how many.
  virtual int toLinesAndArcs(double step, double tol, metaTreeC* output);
  virtual int getEndPoints(point2dC& start, point2dC& end);
  virtual int setEndPoints(const point2dC& start, const point2dC& end);
  virtual int reverse();
};

// The prototype that the shape registry holds for the node's key, or null.
mBaseShape2dC* registeredShapeClass(const metaTreeC* node);

}  // namespace lorvane
