#pragma once
#include "lorvane/geometry/shapeKeys.h"
#include "lorvane/geometry/shapeBase.h"

namespace lorvane {

// "CIRCLE": centre "POINT", radius "RAD"; runs counter-clockwise from angle 0.
class mBaseCircle2dC : public mBaseShape2dC {
public:
  explicit mBaseCircle2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  point2dC getCentre();
  double getRadius();
  void setCentre(const point2dC& centre);
  void setRadius(double radius);

  LORVANE_SHAPE_MEASURES;
};

}  // namespace lorvane
