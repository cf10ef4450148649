#pragma once
#include "lorvane/geometry/shapeKeys.h"
#include "lorvane/geometry/ellipseGeometry.h"
#include "lorvane/geometry/shapeBase.h"

namespace lorvane {

// What full ellipses and elliptic arcs share: centre "POINT", semi-axes
// "RAD1" and "RAD2", axis direction "ANGLE" in degrees.
class mBaseEllipseCore2dC : public mBaseShape2dC {
public:
  explicit mBaseEllipseCore2dC(metaTreeC* node = nullptr, bool owns = false)
      : metaObjectVirtualDataBaseC(node, owns) {}

  point2dC getCentre();
  double getRadius1();
  double getRadius2();
  double getAngle();
  void setCentre(const point2dC& centre);
  void setRadius1(double radius);
  void setRadius2(double radius);
  void setAngle(double degrees);

  // Reads the four members, in this order.
  ellipseC getEllipse();
  point2dC getFirstAxisEnd() { return getEllipse().firstAxisEnd(); }
  point2dC getSecondAxisEnd() { return getEllipse().secondAxisEnd(); }
  double getAxisRatio() { return getEllipse().axisRatio(); }

  // A rigid motion: the radii never change.
  int transform(const transformMatrixC& matrix) override;
  int scale(double factor) override;
};

// "ELLIPSE".
class mBaseEllipse2dC : public mBaseEllipseCore2dC {
public:
  explicit mBaseEllipse2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  int getPoints(pointListC& points, double step) override;
};

// "ELLIPSEARC": the ellipse from parameter angle "ANGLE1" to "ANGLE2"
// (degrees), counter-clockwise.
class mBaseEllipseArc2dC : public mBaseEllipseCore2dC {
public:
  explicit mBaseEllipseArc2dC(metaTreeC* node = nullptr, bool owns = false)
      : metaObjectVirtualDataBaseC(node, owns) {}

  double getStartParameter();
  double getEndParameter();
  void setStartParameter(double degrees);
  void setEndParameter(double degrees);
  point2dC getStartPoint();
  point2dC getEndPoint();

  int transform(const transformMatrixC& matrix) override;
  int getPoints(pointListC& points, double step) override;
};

}  // namespace lorvane
