#include "lorvane/geometry/shapeArc.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "lorvane/geometry/curveSampling.h"

namespace lorvane {

void mBaseArc2dC::setPoints(const point2dC& start, const point2dC& middle, const point2dC& end) {
  setPointAt(0, start);
  setPointAt(1, middle);
  setPointAt(2, end);
}

arcValuesC mBaseArc2dC::getArcValues() {
  const point2dC start = getStartPoint();
  const point2dC middle = getMiddlePoint();
  const point2dC end = getEndPoint();
  return arcValues(start, middle, end);
}

anglePairC mBaseArc2dC::getWriterAngles() {
  const arcValuesC v = getArcValues();
  return writerAnglePair(v.startAngle, v.endAngle, v.clockwise);
}

double mBaseArc2dC::getLength() {
  const arcValuesC v = getArcValues();
  return arcLength(v.startAngle, v.endAngle, v.clockwise, v.radius);
}

namespace {

bool sweepContains(const anglePairC& sweep, double angle) {
  return (angle >= sweep.from && angle <= sweep.to) || (angle + 360 >= sweep.from && angle + 360 <= sweep.to);
}

}  // namespace

int mBaseArc2dC::getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3) {
  const point2dC start = getStartPoint();
  const point2dC middle = getMiddlePoint();
  const point2dC end = getEndPoint();
  const arcValuesC v = arcValues(start, middle, end);
  // The box is taken in the frame of the chord: u along it, n across it. The
  // arc's extent in that frame is set by its ends and by those of the four
  // extreme points of its circle (along +-u and +-n) that lie on the arc.
  const point2dC chord = subtract(end, start);
  const double chordLength = length(chord);
  point2dC u{1.0, 0.0};
  if (chordLength > 0 && std::isfinite(chordLength)) u = scaled(chord, 1 / chordLength);
  const point2dC n = perpendicular(u);
  const anglePairC sweep = writerAnglePair(v.startAngle, v.endAngle, v.clockwise);

  double umin = 0, umax = 0, nmin = 0, nmax = 0;
  auto include = [&](const point2dC& q) {
    const point2dC rel = subtract(q, start);
    const double pu = dot(rel, u);
    const double pn = dot(rel, n);
    umin = std::min(umin, pu);
    umax = std::max(umax, pu);
    nmin = std::min(nmin, pn);
    nmax = std::max(nmax, pn);
  };
  include(end);
  const point2dC directions[4] = {u, scaled(u, -1), n, scaled(n, -1)};
  for (const point2dC& d : directions) {
    if (sweepContains(sweep, vectorAngle(d))) include(add(v.centre, scaled(d, v.radius)));
  }
  auto corner = [&](double a, double b) { return add(start, add(scaled(u, a), scaled(n, b))); };
  p0 = corner(umin, nmin);
  p1 = corner(umax, nmin);
  p2 = corner(umax, nmax);
  p3 = corner(umin, nmax);
  return 1;
}

int mBaseArc2dC::transform(const transformMatrixC& matrix) {
  const point2dC start = getStartPoint();
  const point2dC middle = getMiddlePoint();
  const point2dC end = getEndPoint();
  setPoints(applyTransform(matrix, start), applyTransform(matrix, middle), applyTransform(matrix, end));
  return 1;
}

int mBaseArc2dC::getPoints(pointListC& points, double step) {
  points.clear();
  const arcValuesC v = getArcValues();
  double fromDegrees = v.startAngle;
  double toDegrees = v.endAngle;
  if (v.clockwise) std::swap(fromDegrees, toDegrees);
  const double from = degreesToRadiansDividingFirst(fromDegrees);
  double to = degreesToRadiansDividingFirst(toDegrees);
  if (to < from) to = to + kTwoPi;
  const point2dC centre = v.centre;
  const double radius = v.radius;
  sampleParameterRange(
      from, to, step,
      [&](double t) { return add(centre, scaled(point2dC{std::cos(t), std::sin(t)}, radius)); }, points);
  return static_cast<int>(points.size());
}

int mBaseArc2dC::scale(double factor) {
  const point2dC start = getStartPoint();
  const point2dC middle = getMiddlePoint();
  const point2dC end = getEndPoint();
  setPoints(scaled(start, factor), scaled(middle, factor), scaled(end, factor));
  return 1;
}

int mBaseArc2dC::getEndPoints(point2dC& start, point2dC& end) {
  start = getStartPoint();
  end = getEndPoint();
  return 1;
}

int mBaseArc2dC::setEndPoints(const point2dC& start, const point2dC& end) {
  setPointAt(0, start);
  setPointAt(2, end);
  return 1;
}

int mBaseArc2dC::reverse() {
  const point2dC start = getStartPoint();
  const point2dC end = getEndPoint();
  setPointAt(0, end);
  setPointAt(2, start);
  return 1;
}

}  // namespace lorvane
