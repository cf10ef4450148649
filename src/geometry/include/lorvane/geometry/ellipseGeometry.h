#pragma once
#include "lorvane/geometry/transformMatrix.h"
#include "lorvane/geometry/vectorMath.h"

namespace lorvane {

// An ellipse by its centre, its semi-axes along its own x and y axis and the
// counter-clockwise turn of those axes in degrees.
struct ellipseC {
  point2dC centre;
  double radius1;
  double radius2;
  double angle;

  // Parameter t in radians (not a polar angle).
  point2dC pointAt(double t) const;
  point2dC firstAxisEnd() const;
  point2dC secondAxisEnd() const;
  double axisRatio() const { return radius1 / radius2; }
};

// The ellipse carried along by a matrix taken as a rigid motion: the centre
// and the first axis's end point are mapped, the radii are kept.
ellipseC transformedEllipse(const ellipseC& e, const transformMatrixC& matrix);

// The parameter angle in degrees of a point of the ellipse: the point is taken
// relative to the centre, turned back by the ellipse's angle and divided by
// the radii axis by axis.
double ellipseParameterOf(const ellipseC& e, const point2dC& point);

}  // namespace lorvane
