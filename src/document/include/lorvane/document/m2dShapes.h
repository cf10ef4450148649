#pragma once
#include <string_view>

#include "lorvane/document/documentKeys.h"
#include "lorvane/document/documentBase.h"
#include "lorvane/geometry/shapeArc.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/geometry/shapeLine.h"
#include "lorvane/metatree/str.h"

namespace lorvane {

// Base of the shapes that live in a figure's items.
class m2dShapeBaseC : public m2dBaseObjC {
public:
  explicit m2dShapeBaseC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
};

class m2dLineC : public mBaseLine2dC, public m2dShapeBaseC {
public:
  explicit m2dLineC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
};

class m2dArcC : public mBaseArc2dC, public m2dShapeBaseC {
public:
  explicit m2dArcC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
};

class m2dCircleC : public mBaseCircle2dC, public m2dShapeBaseC {
public:
  explicit m2dCircleC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
};

// "TEXT": anchor "POINT", the text "TEXT", "HEIGHT" and "ANGLE" (degrees).
// Only its anchor moves with a transformation; it has no length, no box and no
// scaling of its own (a unit change leaves texts as they are).
class m2dTextC : public mBaseShape2dC, public m2dShapeBaseC {
public:
  explicit m2dTextC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  point2dC getPosition();
  void setPosition(const point2dC& position);
  const str& getText();
  void setText(std::string_view text);
  double getHeight();
  void setHeight(double height);
  double getAngle();
  void setAngle(double degrees);

  int transform(const transformMatrixC& matrix) override;
};

}  // namespace lorvane
