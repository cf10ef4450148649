#include "lorvane/geometry/transformMatrix.h"

#include <cmath>

namespace lorvane {

transformMatrixC identityMatrix() { return {1, 0, 0, 0, 1, 0, 0, 0, 1}; }

transformMatrixC rotationMatrix(double degrees) {
  const double a = degreesToRadiansMultiplyingFirst(degrees);
  transformMatrixC m = identityMatrix();
  m[0] = std::cos(a);
  m[1] = std::sin(a);
  m[3] = -std::sin(a);
  m[4] = std::cos(a);
  return m;
}

transformMatrixC translationMatrix(double dx, double dy) {
  transformMatrixC m = identityMatrix();
  m[6] = dx;
  m[7] = dy;
  return m;
}

}  // namespace lorvane
