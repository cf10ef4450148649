#include "lorvane/schema/drawingRecords.h"

#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapePlacement.h"
#include "lorvane/schema/figurePlacement.h"

namespace lorvane {

bool isDrawingNode(const metaTreeC* node) { return node && node->hasKey(kDrawingKey); }
bool isFigureNode(const metaTreeC* node) { return node && node->hasKey(kFigureKey); }

namespace {

std::uint64_t countChildren(const metaTreeC* record) {
  std::uint64_t count = 0;
  for (const metaTreeC* child = record ? record->firstChild() : nullptr; child; child = child->next()) ++count;
  return count;
}

// The writers take the first member of a key, as findChild finds it.
std::uint64_t countFigureItems(metaTreeC* figure) {
  return countChildren(metaObjectC(figure).findChild(kFigureItemsKey));
}

}  // namespace

drawingSizeC measureDrawing(metaTreeC* input) {
  drawingSizeC size;
  if (isFigureNode(input)) {
    size.figures = 1;
    size.items = countFigureItems(input);
  } else if (isDrawingNode(input)) {
    metaTreeC* list = metaObjectC(input).findChild(kDrawingItemsKey);
    for (metaTreeC* child = list ? list->firstChild() : nullptr; child; child = child->next()) {
      if (!isFigureNode(child)) continue;
      ++size.figures;
      size.items += countFigureItems(child);
    }
  }
  return size;
}

figureItemsRecordC figureItemsRecordC::createOwning() {
  return figureItemsRecordC(metaTreeC::createKeyNode(kFigureItemsKey), true);
}

void figureItemsRecordC::rotate(double degrees) { transformAll(node(), rotationMatrix(degrees)); }

void figureItemsRecordC::translate(const point2dC& offset) {
  transformAll(node(), translationMatrix(offset.x, offset.y));
}

void figureItemsRecordC::place(double degrees, const point2dC& offset) { placeChain(firstItem(), degrees, offset); }

}  // namespace lorvane
