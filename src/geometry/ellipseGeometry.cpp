#include "lorvane/geometry/ellipseGeometry.h"

#include <cmath>

#include "lorvane/geometry/arcGeometry.h"

namespace lorvane {

point2dC ellipseC::pointAt(double t) const {
  return add(centre, rotation2dC::degrees(angle).apply({radius1 * std::cos(t), radius2 * std::sin(t)}));
}

point2dC ellipseC::firstAxisEnd() const { return add(centre, rotation2dC::degrees(angle).apply({radius1, 0.0})); }

point2dC ellipseC::secondAxisEnd() const { return add(centre, rotation2dC::degrees(angle).apply({0.0, radius2})); }

ellipseC transformedEllipse(const ellipseC& e, const transformMatrixC& matrix) {
  ellipseC result = e;
  result.centre = applyTransform(matrix, e.centre);
  const point2dC axisEnd = applyTransform(matrix, e.firstAxisEnd());
  result.angle = vectorAngle(subtract(axisEnd, result.centre));
  return result;
}

double ellipseParameterOf(const ellipseC& e, const point2dC& point) {
  const point2dC own = rotation2dC::degrees(-e.angle).apply(subtract(point, e.centre));
  return vectorAngle({own.x / e.radius1, own.y / e.radius2});
}

}  // namespace lorvane
