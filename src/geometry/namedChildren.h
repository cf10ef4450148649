#pragma once
#include <string_view>

#include "lorvane/geometry/vectorMath.h"
#include "lorvane/metatree/metaKeyContainer.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane {

// Named members of a shape or document record. Reading fetches the member
// with getOrAddChild, so a missing member is left behind as an empty key and
// reads as (0, 0) or 0.0.
inline point2dC readNamedPoint(metaObjectVirtualDataBaseC& owner, std::string_view key) {
  return mObjPoint2dC(owner.getOrAddChild(key)).getPoint();
}
inline void writeNamedPoint(metaObjectVirtualDataBaseC& owner, std::string_view key, const point2dC& point) {
  mObjPoint2dC(owner.getOrAddChild(key)).setPoint(point);
}
inline double readNamedNumber(metaObjectVirtualDataBaseC& owner, std::string_view key) {
  return metaObjectC(owner.getOrAddChild(key)).getDouble();
}
inline void writeNamedNumber(metaObjectVirtualDataBaseC& owner, std::string_view key, double value) {
  metaObjectC(owner.getOrAddChild(key)).setDouble(value);
}

}  // namespace lorvane
