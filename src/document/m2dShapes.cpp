#include "lorvane/document/m2dShapes.h"

#include "lorvane/geometry/namedChildren.h"
#include "lorvane/geometry/pointList.h"

namespace lorvane {

point2dC m2dTextC::getPosition() { return readNamedPoint(*this, kPointKey); }
void m2dTextC::setPosition(const point2dC& position) { writeNamedPoint(*this, kPointKey, position); }
const str& m2dTextC::getText() { return metaObjectC(getOrAddChild(kTextKey)).getString(); }
void m2dTextC::setText(std::string_view text) { metaObjectC(getOrAddChild(kTextKey)).setString(text); }
double m2dTextC::getHeight() { return readNamedNumber(*this, kTextHeightKey); }
void m2dTextC::setHeight(double height) { writeNamedNumber(*this, kTextHeightKey, height); }
double m2dTextC::getAngle() { return readNamedNumber(*this, kTextAngleKey); }
void m2dTextC::setAngle(double degrees) { writeNamedNumber(*this, kTextAngleKey, degrees); }

int m2dTextC::transform(const transformMatrixC& matrix) {
  setPosition(applyTransform(matrix, getPosition()));
  return 1;
}

}  // namespace lorvane
