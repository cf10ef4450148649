#include "lorvane/geometry/shapeLine.h"

namespace lorvane {

double mBaseLine2dC::getLength() {
  const point2dC start = getStartPoint();
  const point2dC end = getEndPoint();
  return length(subtract(end, start));
}

int mBaseLine2dC::getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3) {
  const point2dC s = getStartPoint();
  const point2dC e = getEndPoint();
  // On a tie the end point's coordinate is taken (it tells 0.0 from -0.0).
  const double xmin = s.x < e.x ? s.x : e.x;
  const double ymin = s.y < e.y ? s.y : e.y;
  const double xmax = s.x > e.x ? s.x : e.x;
  const double ymax = s.y > e.y ? s.y : e.y;
  p0 = {xmin, ymin};
  p1 = {xmax, ymin};
  p2 = {xmax, ymax};
  p3 = {xmin, ymax};
  return 1;
}

int mBaseLine2dC::transform(const transformMatrixC& matrix) {
  const point2dC start = getStartPoint();
  const point2dC end = getEndPoint();
  setStartPoint(applyTransform(matrix, start));
  setEndPoint(applyTransform(matrix, end));
  return 1;
}

int mBaseLine2dC::getPoints(pointListC& points, double) {
  points.clear();
  points.push_back(getStartPoint());
  points.push_back(getEndPoint());
  return 2;
}

int mBaseLine2dC::scale(double factor) {
  const point2dC start = getStartPoint();
  const point2dC end = getEndPoint();
  setStartPoint(scaled(start, factor));
  setEndPoint(scaled(end, factor));
  return 1;
}

int mBaseLine2dC::getEndPoints(point2dC& start, point2dC& end) {
  start = getStartPoint();
  end = getEndPoint();
  return 1;
}

int mBaseLine2dC::setEndPoints(const point2dC& start, const point2dC& end) {
  setStartPoint(start);
  setEndPoint(end);
  return 1;
}

int mBaseLine2dC::reverse() {
  const point2dC start = getStartPoint();
  const point2dC end = getEndPoint();
  setStartPoint(end);
  setEndPoint(start);
  return 1;
}

}  // namespace lorvane
