#pragma once
#include <cstdint>
#include <string_view>

#include "lorvane/document/m2dDrawing.h"
#include "lorvane/document/m2dFigure.h"
#include "lorvane/geometry/vectorMath.h"
#include "lorvane/metatree/metaKeyContainer.h"

namespace lorvane {

// The input drawing as the writers read it. Every member is read through
// getOrAddChild, so a member the input lacks is added as an empty key and
// reads as "", 0, 0.0 or (0, 0); a sub-record the input lacks reads as an
// empty record whose members all take their defaults.
std::string_view readMemberString(metaObjectVirtualDataBaseC& record, std::string_view key);
std::int32_t readMemberInt(metaObjectVirtualDataBaseC& record, std::string_view key);
double readMemberDouble(metaObjectVirtualDataBaseC& record, std::string_view key);
// A point member holds exactly two numbers; anything else reads as (0, 0).
point2dC readMemberPoint(metaObjectVirtualDataBaseC& record, std::string_view key);
metaTreeC* readMemberRecord(metaObjectVirtualDataBaseC& record, std::string_view key);

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
  bool hidden() { return readMemberString(*this, "HIDDEN") == "YES"; }
  bool dashed() { return readMemberString(*this, "DASH") == "YES"; }
};

// "INSERTPOINT": where a figure is placed and how it is turned.
class insertPointRecordC : public metaObjectC {
public:
  explicit insertPointRecordC(metaTreeC* node) : metaObjectVirtualDataBaseC(node, false) {}
  point2dC point() { return readMemberPoint(*this, "POINT"); }
  double rotation() { return readMemberDouble(*this, "ROTATION"); }
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
  std::int32_t width() { return readMemberInt(*this, "SHAPEWIDTH"); }
  std::int32_t type() { return readMemberInt(*this, "SHAPETYP"); }
  std::int32_t metaLineType() { return readMemberInt(*this, "METALINETYPE"); }
  std::int32_t cosmetic() { return readMemberInt(*this, "COSMETIC"); }
};

// "DRAWING": its name and its figures.
class drawingRecordC : public m2dDrawingC {
public:
  explicit drawingRecordC(metaTreeC* node) : metaObjectVirtualDataBaseC(node, false) {}
  std::string_view name() { return readMemberString(*this, "NAME"); }
  // The "FIGURE" children of "DRAWINGITEMS".
  keyedListViewC figures() { return keyedListViewC(readMemberRecord(*this, kDrawingItemsKey), kFigureKey); }
};

// "FIGURE": one view of the drawing.
class figureRecordC : public m2dFigureC {
public:
  explicit figureRecordC(metaTreeC* node) : metaObjectVirtualDataBaseC(node, false) {}
  std::string_view name() { return readMemberString(*this, "NAME"); }
  std::string_view shortName() { return readMemberString(*this, "SHORTNAME"); }
  std::string_view tableIdentification() { return readMemberString(*this, "MIDENT"); }
  std::int32_t viewNumber() { return readMemberInt(*this, "ANSICHTNO"); }
  bool isGroup() { return readMemberString(*this, "GROUP") == "YES"; }
  cutoutRecordC cutout() { return cutoutRecordC(readMemberRecord(*this, "CUTOUT")); }
  insertPointRecordC insertPoint() { return insertPointRecordC(readMemberRecord(*this, kInsertPointKey)); }
  figureItemsRecordC items() { return figureItemsRecordC(readMemberRecord(*this, kFigureItemsKey)); }
};

}  // namespace lorvane
