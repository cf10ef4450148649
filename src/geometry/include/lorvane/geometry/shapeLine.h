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

  double getLength() override;
  int getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3) override;
  int transform(const transformMatrixC& matrix) override;
  int getPoints(pointListC& points, double step) override;
  int scale(double factor) override;
  int getEndPoints(point2dC& start, point2dC& end) override;
  int setEndPoints(const point2dC& start, const point2dC& end) override;
  int reverse() override;
};

}  // namespace lorvane
