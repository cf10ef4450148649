#pragma once
#include <string_view>

#include "lorvane/document/documentKeys.h"
#include "lorvane/document/documentBase.h"

namespace lorvane {

// "DRAWING": its figures under "DRAWINGITEMS", in order. Each operation
// reaches the figures through the document registry.
class m2dDrawingC : public m2dDocumentC {
public:
  explicit m2dDrawingC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  int convertItems(int mode, const classNameListC& classNames) override;
  // Every figure keeps its own unit: each is changed from what it stores.
  void setUnitBase(double unit) override;
  documentNodeListC& collectDocuments(documentNodeListC& documents) override;
};

}  // namespace lorvane
