#include "lorvane/geometry/shapeEllipse.h"

#include <cmath>

#include "lorvane/geometry/arcGeometry.h"
#include "lorvane/geometry/curveSampling.h"
#include "lorvane/geometry/namedChildren.h"
#include "lorvane/geometry/pointList.h"

namespace lorvane {

point2dC mBaseEllipseCore2dC::getCentre() { return readNamedPoint(*this, kPointKey); }
double mBaseEllipseCore2dC::getRadius1() { return readNamedNumber(*this, kRadius1Key); }
double mBaseEllipseCore2dC::getRadius2() { return readNamedNumber(*this, kRadius2Key); }
double mBaseEllipseCore2dC::getAngle() { return readNamedNumber(*this, kAngleKey); }
void mBaseEllipseCore2dC::setCentre(const point2dC& centre) { writeNamedPoint(*this, kPointKey, centre); }
void mBaseEllipseCore2dC::setRadius1(double radius) { writeNamedNumber(*this, kRadius1Key, radius); }
void mBaseEllipseCore2dC::setRadius2(double radius) { writeNamedNumber(*this, kRadius2Key, radius); }
void mBaseEllipseCore2dC::setAngle(double degrees) { writeNamedNumber(*this, kAngleKey, degrees); }

ellipseC mBaseEllipseCore2dC::getEllipse() {
  ellipseC e{};
  e.centre = getCentre();
  e.radius1 = getRadius1();
  e.radius2 = getRadius2();
  e.angle = getAngle();
  return e;
}

int mBaseEllipseCore2dC::transform(const transformMatrixC& matrix) {
  const ellipseC moved = transformedEllipse(getEllipse(), matrix);
  setCentre(moved.centre);
  setAngle(moved.angle);
  return 1;
}

int mBaseEllipseCore2dC::scale(double factor) {
  const point2dC centre = getCentre();
  const double radius1 = getRadius1();
  const double radius2 = getRadius2();
  setRadius1(radius1 * factor);
  setRadius2(radius2 * factor);
  setCentre(scaled(centre, factor));
  return 1;
}

int mBaseEllipse2dC::getPoints(pointListC& points, double step) {
  points.clear();
  const ellipseC e = getEllipse();
  sampleParameterRange(0.0, kTwoPi, step, [&](double t) { return e.pointAt(t); }, points);
  return static_cast<int>(points.size());
}

double mBaseEllipseArc2dC::getStartParameter() { return readNamedNumber(*this, kAngle1Key); }
double mBaseEllipseArc2dC::getEndParameter() { return readNamedNumber(*this, kAngle2Key); }
void mBaseEllipseArc2dC::setStartParameter(double degrees) { writeNamedNumber(*this, kAngle1Key, degrees); }
void mBaseEllipseArc2dC::setEndParameter(double degrees) { writeNamedNumber(*this, kAngle2Key, degrees); }

point2dC mBaseEllipseArc2dC::getStartPoint() {
  const ellipseC e = getEllipse();
  return e.pointAt(degreesToRadiansDividingFirst(getStartParameter()));
}

point2dC mBaseEllipseArc2dC::getEndPoint() {
  const ellipseC e = getEllipse();
  return e.pointAt(degreesToRadiansDividingFirst(getEndParameter()));
}

int mBaseEllipseArc2dC::transform(const transformMatrixC& matrix) {
  const ellipseC e = getEllipse();
  const point2dC start = e.pointAt(degreesToRadiansDividingFirst(getStartParameter()));
  const point2dC end = e.pointAt(degreesToRadiansDividingFirst(getEndParameter()));
  const ellipseC moved = transformedEllipse(e, matrix);
  const double startParameter = ellipseParameterOf(moved, applyTransform(matrix, start));
  const double endParameter = ellipseParameterOf(moved, applyTransform(matrix, end));
  setCentre(moved.centre);
  setAngle(moved.angle);
  setStartParameter(startParameter);
  setEndParameter(endParameter);
  return 1;
}

int mBaseEllipseArc2dC::getPoints(pointListC& points, double step) {
  points.clear();
  const ellipseC e = getEllipse();
  const double t1 = degreesToRadiansDividingFirst(getStartParameter());
  const double t2 = degreesToRadiansDividingFirst(getEndParameter());
  sampleEllipticArc(t1, t2, e.radius1 != 0 && e.radius2 != 0, step, [&](double t) { return e.pointAt(t); }, points);
  return static_cast<int>(points.size());
}

}  // namespace lorvane
