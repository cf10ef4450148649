#pragma once
#include <string>
#include <vector>

#include "lorvane/metatree/metaObject.h"

namespace lorvane {

using classNameListC = std::vector<std::string>;
using documentNodeListC = std::vector<metaTreeC*>;

// Base of every view of the 2D document model.
class m2dBaseObjC : public metaObjectC {
public:
  explicit m2dBaseObjC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
};

// Base of every document view.
class mDocumentC : public metaObjectC {
public:
  explicit mDocumentC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
};

// A 2D document (drawing or figure). Bound to any document node it answers as
// the class that the document registry holds for the node's key; with none it
// returns 0 or does nothing. The registry holds the prototypes through their
// m2dBaseObjC part: this class has two metaObjectC parts, and that is the one
// the forwarding casts back from.
class m2dDocumentC : public m2dBaseObjC, public mDocumentC {
public:
  explicit m2dDocumentC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  // Replaces items by lines and arcs: with mode 0 the items whose class is in
  // the list, with mode 1 those whose class is not. Returns how many shapes
  // were created.
  virtual int convertItems(int mode, const classNameListC& classNames);
  // Changes the length unit, scaling everything measured in it.
  virtual void setUnitBase(double unit);
  // Appends this document's node and those of the documents it holds.
  virtual documentNodeListC& collectDocuments(documentNodeListC& documents);

  // The registry entry for a prototype of a document class.
  static metaObjectC* registryInterface(m2dDocumentC* prototype) { return static_cast<m2dBaseObjC*>(prototype); }
};

}  // namespace lorvane
