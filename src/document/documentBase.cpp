#include "lorvane/document/documentBase.h"

#include "lorvane/metatree/metaRegistry.h"

namespace lorvane {

namespace {

// The registry hands back the m2dBaseObjC part of the prototype.
template <class Result, class Call>
Result forwardToDocument(const m2dDocumentC* self, Result fallback, Call&& call) {
  return forwardToPrototype(documentRegistry(), static_cast<const m2dBaseObjC*>(self), fallback,
                            [&](m2dBaseObjC& p) { return call(static_cast<m2dDocumentC&>(p)); });
}

}  // namespace

int m2dDocumentC::convertItems(int mode, const classNameListC& classNames) {
  return forwardToDocument(this, 0, [&](m2dDocumentC& p) { return p.convertItems(mode, classNames); });
}

void m2dDocumentC::setUnitBase(double unit) {
  forwardToDocument(this, 0, [&](m2dDocumentC& p) {
    p.setUnitBase(unit);
    return 0;
  });
}

documentNodeListC& m2dDocumentC::collectDocuments(documentNodeListC& documents) {
  return *forwardToDocument(this, &documents, [&](m2dDocumentC& p) { return &p.collectDocuments(documents); });
}

}  // namespace lorvane
