#include "lorvane/geometry/shapeCircle.h"

#include <cmath>

#include "lorvane/geometry/curveSampling.h"
#include "lorvane/geometry/namedChildren.h"
#include "lorvane/geometry/pointList.h"

namespace lorvane {

point2dC mBaseCircle2dC::getCentre() { return readNamedPoint(*this, kPointKey); }
double mBaseCircle2dC::getRadius() { return readNamedNumber(*this, kRadiusKey); }
void mBaseCircle2dC::setCentre(const point2dC& centre) { writeNamedPoint(*this, kPointKey, centre); }
void mBaseCircle2dC::setRadius(double radius) { writeNamedNumber(*this, kRadiusKey, radius); }

double mBaseCircle2dC::getLength() {
  const double r = getRadius();
  return (r + r) * kPi;
}

int mBaseCircle2dC::getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3) {
  const point2dC c = getCentre();
  const double r = getRadius();
  p0 = {c.x - r, c.y - r};
  p1 = {c.x + r, c.y - r};
  p2 = {c.x + r, c.y + r};
  p3 = {c.x - r, c.y + r};
  return 1;
}

int mBaseCircle2dC::transform(const transformMatrixC& matrix) {
  setCentre(applyTransform(matrix, getCentre()));
  return 1;
}

int mBaseCircle2dC::getPoints(pointListC& points, double step) {
  points.clear();
  const point2dC centre = getCentre();
  const double radius = getRadius();
  sampleParameterRange(
      0.0, kTwoPi, step,
      [&](double t) { return add(centre, scaled(point2dC{std::cos(t), std::sin(t)}, radius)); }, points);
  return static_cast<int>(points.size());
}

int mBaseCircle2dC::scale(double factor) {
  const point2dC centre = getCentre();
  const double radius = getRadius();
  setCentre(scaled(centre, factor));
  setRadius(radius * factor);
  return 1;
}

}  // namespace lorvane
