#include "lorvane/geometry/shapePoint.h"

#include "lorvane/geometry/namedChildren.h"
#include "lorvane/geometry/pointList.h"

namespace lorvane {

point2dC mBasePoint2dC::getPosition() { return readNamedPoint(*this, kPointKey); }
void mBasePoint2dC::setPosition(const point2dC& position) { writeNamedPoint(*this, kPointKey, position); }

double mBasePoint2dC::getLength() { return 0.0; }

int mBasePoint2dC::getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3) {
  const point2dC p = getPosition();
  p0 = p1 = p2 = p3 = p;
  return 1;
}

int mBasePoint2dC::transform(const transformMatrixC& matrix) {
  setPosition(applyTransform(matrix, getPosition()));
  return 1;
}

int mBasePoint2dC::getPoints(pointListC& points, double) {
  points.clear();
  points.push_back(getPosition());
  return 1;
}

int mBasePoint2dC::scale(double factor) {
  setPosition(scaled(getPosition(), factor));
  return 1;
}

}  // namespace lorvane
