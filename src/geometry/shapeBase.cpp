#include "lorvane/geometry/shapeBase.h"

#include "lorvane/geometry/pointList.h"
#include "lorvane/geometry/shapeIntCurve.h"
#include "lorvane/metatree/metaRegistry.h"

namespace lorvane {

mBaseShape2dC* registeredShapeClass(const metaTreeC* node) {
  if (!node || !node->isKey()) return nullptr;
  return static_cast<mBaseShape2dC*>(shapeRegistry().findInterface(node->value().text().view()));
}

double mBaseShape2dC::getLength() {
  return forwardToPrototype(shapeRegistry(), this, 0.0, [&](mBaseShape2dC& p) { return p.getLength(); });
}

int mBaseShape2dC::getBoundingBox(point2dC& p0, point2dC& p1, point2dC& p2, point2dC& p3) {
  return forwardToPrototype(shapeRegistry(), this, 0,
                            [&](mBaseShape2dC& p) { return p.getBoundingBox(p0, p1, p2, p3); });
}

int mBaseShape2dC::transform(const transformMatrixC& matrix) {
  return forwardToPrototype(shapeRegistry(), this, 0, [&](mBaseShape2dC& p) { return p.transform(matrix); });
}

int mBaseShape2dC::getPoints(pointListC& points, double step) {
  points.clear();
  return forwardToPrototype(shapeRegistry(), this, 0, [&](mBaseShape2dC& p) { return p.getPoints(points, step); });
}

int mBaseShape2dC::scale(double factor) {
  return forwardToPrototype(shapeRegistry(), this, 0, [&](mBaseShape2dC& p) { return p.scale(factor); });
}

int mBaseShape2dC::toLinesAndArcs(double step, double tol, metaTreeC* output) {
  mBaseShape2dC* registered = registeredShapeClass(node());
  if (registered && registered != this) {
    return forwardToPrototype(shapeRegistry(), this, 0,
                              [&](mBaseShape2dC& p) { return p.toLinesAndArcs(step, tol, output); });
  }
  if (!node() || !output) return 0;
  pointListC samples;
  getPoints(samples, step);
  // The samples become an interpolated curve of their own, made by class name,
  // and that curve is what gets fitted.
  metaObjectC curve = metaObjectVirtualDataBaseC::createTree(kShapeIntCurve, true);
  childAppenderC appender(curve.node());
  for (const point2dC& sample : samples) appendPointChild(appender, sample);
  mBaseIntCrv2dC fitted(curve.node());
  return fitted.mBaseIntCrv2dC::toLinesAndArcs(step, tol, output);
}

int mBaseShape2dC::getEndPoints(point2dC& start, point2dC& end) {
  return forwardToPrototype(shapeRegistry(), this, 0, [&](mBaseShape2dC& p) { return p.getEndPoints(start, end); });
}

int mBaseShape2dC::setEndPoints(const point2dC& start, const point2dC& end) {
  return forwardToPrototype(shapeRegistry(), this, 0, [&](mBaseShape2dC& p) { return p.setEndPoints(start, end); });
}

int mBaseShape2dC::reverse() {
  return forwardToPrototype(shapeRegistry(), this, 0, [&](mBaseShape2dC& p) { return p.reverse(); });
}

}  // namespace lorvane
