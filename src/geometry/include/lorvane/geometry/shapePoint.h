#pragma once
#include "lorvane/geometry/shapeBase.h"

namespace lorvane {

// "SPOINT": a position under its "POINT" member.
class mBasePoint2dC : public mBaseShape2dC {
public:
  explicit mBasePoint2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  point2dC getPosition();
  void setPosition(const point2dC& position);

  double getLength() override;
  int getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3) override;
  int transform(const transformMatrixC& matrix) override;
  int getPoints(pointListC& points, double step) override;
  int scale(double factor) override;
};

}  // namespace lorvane
