#pragma once
#include "lorvane/geometry/shapeBase.h"

namespace lorvane {

// "SPOINT": a position under its "POINT" member.
class mBasePoint2dC : public mBaseShape2dC {
public:
  explicit mBasePoint2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  point2dC getPosition();
  void setPosition(const point2dC& position);

  LORVANE_SHAPE_MEASURES;
};

}  // namespace lorvane
