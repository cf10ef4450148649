#include "lorvane/geometry/shapeIntCurve.h"

#include "lorvane/geometry/lineArcFitting.h"
#include "lorvane/geometry/pointList.h"

namespace lorvane {

int mBaseIntCrv2dC::transform(const transformMatrixC& matrix) {
  rewritePointChildren(node(), [&](const point2dC& p) { return applyTransform(matrix, p); });
  return 1;
}

int mBaseIntCrv2dC::getPoints(pointListC& points, double) {
  points = readPointChildren(node());
  return static_cast<int>(points.size());
}

int mBaseIntCrv2dC::scale(double factor) {
  rewritePointChildren(node(), [&](const point2dC& p) { return scaled(p, factor); });
  return 1;
}

int mBaseIntCrv2dC::toLinesAndArcs(double, double tol, metaTreeC* output) {
  if (!node() || !output) return 0;
  return appendFittedShapes(fitPointChildren(node(), tol), output);
}

}  // namespace lorvane
