#pragma once
#include "lorvane/geometry/shapeBase.h"

namespace lorvane {

inline constexpr std::string_view kRadiusKey = "RAD";

// "CIRCLE": centre "POINT", radius "RAD"; runs counter-clockwise from angle 0.
class mBaseCircle2dC : public mBaseShape2dC {
public:
  explicit mBaseCircle2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  point2dC getCentre();
  double getRadius();
  void setCentre(const point2dC& centre);
  void setRadius(double radius);

  double getLength() override;
  int getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3) override;
  int transform(const transformMatrixC& matrix) override;
  int getPoints(pointListC& points, double step) override;
  int scale(double factor) override;
};

}  // namespace lorvane
