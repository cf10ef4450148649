#include "lorvane/document/m2dDrawing.h"

#include "documentUnits.h"
#include "lorvane/document/m2dFigure.h"

namespace lorvane {

namespace {

template <class F>
void forEachFigure(metaObjectVirtualDataBaseC& drawing, F&& f) {
  metaTreeC* items = drawing.findChild(kDrawingItemsKey);
  for (metaTreeC* child = items ? items->firstChild() : nullptr; child; child = child->next()) {
    if (!child->hasKey(kFigureKey)) continue;
    m2dDocumentC figure(child);
    f(figure);
  }
}

}  // namespace

int m2dDrawingC::convertItems(int mode, const classNameListC& classNames) {
  int created = 0;
  forEachFigure(*this, [&](m2dDocumentC& figure) { created += figure.convertItems(mode, classNames); });
  return created;
}

void m2dDrawingC::setUnitBase(double unit) {
  if (!node()) return;
  const double old = readUnitBase(*this, kDrawingPrefsKey);
  if (old == unit) return;
  const double f = old / unit;
  forEachFigure(*this, [&](m2dDocumentC& figure) { figure.setUnitBase(unit); });
  scaleDxfOffsets(*this, f);
  writeUnitBase(*this, kDrawingPrefsKey, unit);
}

documentNodeListC& m2dDrawingC::collectDocuments(documentNodeListC& documents) {
  if (!node()) return documents;
  documents.push_back(node());
  forEachFigure(*this, [&](m2dDocumentC& figure) { figure.collectDocuments(documents); });
  return documents;
}

}  // namespace lorvane
