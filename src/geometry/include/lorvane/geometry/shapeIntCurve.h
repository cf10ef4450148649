#pragma once
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/metatree/metaKeyContainer.h"

namespace lorvane {

// An interpolated curve: the ordered points it passes through, its "POINT"
// children.
class mBaseIntCrvC : public metaObjListPoint2dContainerC {
public:
  explicit mBaseIntCrvC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
};

// "ICRV2D".
class mBaseIntCrv2dC : public mBaseShape2dC, public mBaseIntCrvC {
public:
  explicit mBaseIntCrv2dC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  int transform(const transformMatrixC& matrix) override;
  // Its own points; the step does not matter.
  int getPoints(pointListC& points, double step) override;
  int scale(double factor) override;
  // Fits its own points directly; the step does not matter.
  int toLinesAndArcs(double step, double tol, metaTreeC* output) override;
};

}  // namespace lorvane
