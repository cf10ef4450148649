#pragma once
#include "lorvane/geometry/arcGeometry.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/metatree/metaKeyContainer.h"

namespace lorvane {

// "ARC": a three-point arc, "POINT" #0 start, #1 a point on the arc between
// the ends, #2 end. Centre, radius, angles and sense are derived from them
// whenever asked.
class mBaseArc2dC : public mBaseShape2dC, public metaObjListPoint2dContainerC {
public:
  explicit mBaseArc2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  point2dC getStartPoint() { return getPointAt(0); }
  point2dC getMiddlePoint() { return getPointAt(1); }
  point2dC getEndPoint() { return getPointAt(2); }
  void setPoints(const point2dC& start, const point2dC& middle, const point2dC& end);

  arcValuesC getArcValues();
  point2dC getCentre() { return getArcValues().centre; }
  double getRadius() { return getArcValues().radius; }
  // Degrees about the centre.
  double getStartAngle() { return getArcValues().startAngle; }
  double getEndAngle() { return getArcValues().endAngle; }
  // 1 when the arc runs clockwise from its start, else 0.
  int getSense() { return getArcValues().clockwise ? 1 : 0; }
  // The counter-clockwise sweep (from, to) the writers record.
  anglePairC getWriterAngles();

  LORVANE_SHAPE_MEASURES;
  LORVANE_SHAPE_ENDS;
};

}  // namespace lorvane
