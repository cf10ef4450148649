#pragma once
#include <string_view>

#include "lorvane/document/documentKeys.h"
#include "lorvane/document/documentBase.h"

namespace lorvane {

// Angular step and fit tolerance of a figure's own conversion: ten times
// finer than what the writers ask for.
inline constexpr double kConvertStep = 0.01;
inline constexpr double kConvertTolerance = 1e-05;

// "FIGURE": one view of a drawing, its shapes under "FIGURITEMS".
class m2dFigureC : public m2dDocumentC {
public:
  explicit m2dFigureC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  int convertItems(int mode, const classNameListC& classNames) override;
  void setUnitBase(double unit) override;
  documentNodeListC& collectDocuments(documentNodeListC& documents) override;
};

}  // namespace lorvane
