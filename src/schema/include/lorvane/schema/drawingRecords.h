#pragma once
#include <cstdint>
#include <string_view>

#include "lorvane/document/m2dDrawing.h"
#include "lorvane/document/m2dFigure.h"
#include "lorvane/geometry/namedChildren.h"
#include "lorvane/geometry/vectorMath.h"
#include "lorvane/metatree/metaKeyContainer.h"

namespace lorvane {

bool isDrawingNode(const metaTreeC* node);
bool isFigureNode(const metaTreeC* node);

// How many figures an input (a DRAWING or a FIGURE) holds and how many items
// their FIGURITEMS chains hold, counted without adding anything to the tree:
// the measure of a writer's progress. Shapes that are converted count once.
struct drawingSizeC {
  std::uint64_t figures = 0;
  std::uint64_t items = 0;
};
drawingSizeC measureDrawing(metaTreeC* input);

// The children of a record that carry one key, as a list; children with any
// other key are skipped. Counting scans to the end; the matches are cached
// until the tree changes.
class keyedListViewC {
public:
  keyedListViewC(metaTreeC* record, std::string_view key) : container_(record), key_(key) {}
  std::size_t count() { return container_.count(key_); }
  metaTreeC* at(std::size_t index) { return container_.find(key_, index); }

private:
  metaObjKeyContainerC container_;
  std::string_view key_;
};

// "CUTOUT": how hidden geometry of a figure is drawn.
class cutoutRecordC : public metaObjectC {
public:
  explicit cutoutRecordC(metaTreeC* node) : metaObjectVirtualDataBaseC(node, false) {}
  bool hidden() { return readNamedString(*this, "HIDDEN") == "YES"; }
  bool dashed() { return readNamedString(*this, "DASH") == "YES"; }
};

// "INSERTPOINT": where a figure is placed and how it is turned.
class insertPointRecordC : public metaObjectC {
public:
  explicit insertPointRecordC(metaTreeC* node) : metaObjectVirtualDataBaseC(node, false) {}
  point2dC point() { return readNamedPoint(*this, "POINT"); }
  double rotation() { return readNamedNumber(*this, "ROTATION"); }
};

// "FIGURITEMS": the figure's items, taken in child order.
class figureItemsRecordC : public metaObjectC {
public:
  explicit figureItemsRecordC(metaTreeC* node, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
  // A free-standing record that owns what is appended to it.
  static figureItemsRecordC createOwning();

  metaTreeC* firstItem() const { return getFirstChild(); }
  // Turns every item about the origin, counter-clockwise for positive degrees.
  void rotate(double degrees);
  void translate(const point2dC& offset);
  // rotate, then translate, item by item: the same arithmetic in one walk
  // over the items instead of two.
  void place(double degrees, const point2dC& offset);
};

// "SHAPEATTR": attributes for the items that follow it.
class shapeAttributesRecordC : public metaObjectC {
public:
  explicit shapeAttributesRecordC(metaTreeC* node) : metaObjectVirtualDataBaseC(node, false) {}
  std::int32_t width() { return readNamedInt(*this, "SHAPEWIDTH"); }
  std::int32_t type() { return readNamedInt(*this, "SHAPETYP"); }
  std::int32_t metaLineType() { return readNamedInt(*this, "METALINETYPE"); }
  std::int32_t cosmetic() { return readNamedInt(*this, "COSMETIC"); }
};

// "DRAWING": its name and its figures.
class drawingRecordC : public m2dDrawingC {
public:
  explicit drawingRecordC(metaTreeC* node) : metaObjectVirtualDataBaseC(node, false) {}
  std::string_view name() { return readNamedString(*this, "NAME"); }
  // The "FIGURE" children of "DRAWINGITEMS".
  keyedListViewC figures() { return keyedListViewC(readNamedRecord(*this, kDrawingItemsKey), kFigureKey); }
};

// "FIGURE": one view of the drawing.
class figureRecordC : public m2dFigureC {
public:
  explicit figureRecordC(metaTreeC* node) : metaObjectVirtualDataBaseC(node, false) {}
  std::string_view name() { return readNamedString(*this, "NAME"); }
  std::string_view shortName() { return readNamedString(*this, "SHORTNAME"); }
  std::string_view tableIdentification() { return readNamedString(*this, "MIDENT"); }
  std::int32_t viewNumber() { return readNamedInt(*this, "ANSICHTNO"); }
  bool isGroup() { return readNamedString(*this, "GROUP") == "YES"; }
  cutoutRecordC cutout() { return cutoutRecordC(readNamedRecord(*this, "CUTOUT")); }
  insertPointRecordC insertPoint() { return insertPointRecordC(readNamedRecord(*this, kInsertPointKey)); }
  figureItemsRecordC items() { return figureItemsRecordC(readNamedRecord(*this, kFigureItemsKey)); }
};

}  // namespace lorvane
