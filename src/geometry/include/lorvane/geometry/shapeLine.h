#pragma once
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/metatree/metaKeyContainer.h"

namespace lorvane {

// "LINE": from "POINT" #0 to "POINT" #1 (counted among the "POINT" children).
class mBaseLine2dC : public mBaseShape2dC, public metaObjListPoint2dContainerC {
public:
  explicit mBaseLine2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  point2dC getStartPoint() { return getPointAt(0); }
  point2dC getEndPoint() { return getPointAt(1); }
  void setStartPoint(const point2dC& p) { setPointAt(0, p); }
  void setEndPoint(const point2dC& p) { setPointAt(1, p); }

  LORVANE_SHAPE_MEASURES;
  LORVANE_SHAPE_ENDS;
};

}  // namespace lorvane
