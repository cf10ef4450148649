#include "lorvane/geometry/pointList.h"

#include "lorvane/metatree/metaKeyContainer.h"

namespace lorvane {

childAppenderC::childAppenderC(metaTreeC* parent)
    : parent_(parent), last_(parent ? metaTreeC::lastChild(parent) : nullptr) {}

void childAppenderC::append(metaTreeC* chain) {
  if (!parent_ || !chain) return;
  if (last_) metaTreeC::insertAfter(chain, last_);
  else metaTreeC::appendChildren(chain, parent_);
  last_ = metaTreeC::lastSibling(chain);
}

void appendPointChild(childAppenderC& appender, const point2dC& point) {
  metaTreeC* key = metaTreeC::createKeyNode(kPointKey);
  try {
    mObjPoint2dC(key).setPoint(point);
  } catch (...) {
    delete key;
    throw;
  }
  appender.append(key);
}

pointListC readPointChildren(const metaTreeC* node) {
  pointListC points;
  for (const metaTreeC* child = node ? node->firstChild() : nullptr; child; child = child->next()) {
    if (!child->hasKey(kPointKey)) continue;
    points.push_back(pointValue(child));
  }
  return points;
}

}  // namespace lorvane
