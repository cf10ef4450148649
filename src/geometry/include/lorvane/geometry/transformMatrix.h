#pragma once
#include <array>

#include "lorvane/geometry/vectorMath.h"

namespace lorvane {

// Nine doubles in row order, applied to the row vector (x, y, 1): the
// translation sits in the third row and the third column is never used.
using transformMatrixC = std::array<double, 9>;

inline point2dC applyTransform(const transformMatrixC& m, const point2dC& p) {
  return {m[0] * p.x + m[3] * p.y + m[6], m[1] * p.x + m[4] * p.y + m[7]};
}

transformMatrixC identityMatrix();
// Counter-clockwise about the origin; degrees go to radians as a * pi / 180
// here (the placement of figures), unlike the shape geometry.
transformMatrixC rotationMatrix(double degrees);
transformMatrixC translationMatrix(double dx, double dy);

}  // namespace lorvane
