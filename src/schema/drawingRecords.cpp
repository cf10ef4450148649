#include "schema/drawingRecords.h"

#include "geometry/shapeBase.h"
#include "geometry/shapePlacement.h"

namespace lorvane {

std::string_view readMemberString(metaObjectVirtualDataBaseC& record, std::string_view key) {
  return metaObjectC(record.getOrAddChild(key)).getString().view();
}

std::int32_t readMemberInt(metaObjectVirtualDataBaseC& record, std::string_view key) {
  return metaObjectC(record.getOrAddChild(key)).getInt();
}

double readMemberDouble(metaObjectVirtualDataBaseC& record, std::string_view key) {
  return metaObjectC(record.getOrAddChild(key)).getDouble();
}

point2dC readMemberPoint(metaObjectVirtualDataBaseC& record, std::string_view key) {
  return mObjPoint2dC(record.getOrAddChild(key)).getPoint();
}

metaTreeC* readMemberRecord(metaObjectVirtualDataBaseC& record, std::string_view key) {
  return record.getOrAddChild(key);
}

bool isDrawingNode(const metaTreeC* node) { return node && node->hasKey(kDrawingKey); }
bool isFigureNode(const metaTreeC* node) { return node && node->hasKey(kFigureKey); }

figureItemsRecordC figureItemsRecordC::createOwning() {
  return figureItemsRecordC(metaTreeC::createKeyNode(kFigureItemsKey), true);
}

void figureItemsRecordC::rotate(double degrees) { transformAll(node(), rotationMatrix(degrees)); }

void figureItemsRecordC::translate(const point2dC& offset) {
  transformAll(node(), translationMatrix(offset.x, offset.y));
}

void figureItemsRecordC::place(double degrees, const point2dC& offset) {
  const transformMatrixC rotation = rotationMatrix(degrees);
  const transformMatrixC translation = translationMatrix(offset.x, offset.y);
  for (metaTreeC* item = firstItem(); item; item = item->next()) {
    mBaseShape2dC shape(item);
    shape.transform(rotation);
    shape.transform(translation);
  }
}

}  // namespace lorvane
