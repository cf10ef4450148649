#pragma once
#include <cstdint>
#include <string_view>

#include "lorvane/geometry/vectorMath.h"
#include "lorvane/metatree/metaKeyContainer.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane {

// Named members of a shape, document or input record, as the model and the
// writers read them. Reading fetches the member with getOrAddChild, so a
// member the record lacks is left behind as an empty key and reads as "", 0,
// 0.0 or (0, 0); a sub-record it lacks reads as an empty record whose members
// all take their defaults.
inline std::string_view readNamedString(metaObjectVirtualDataBaseC& owner, std::string_view key) {
  return metaObjectC(owner.getOrAddChild(key)).getString().view();
}
inline std::int32_t readNamedInt(metaObjectVirtualDataBaseC& owner, std::string_view key) {
  return metaObjectC(owner.getOrAddChild(key)).getInt();
}
inline metaTreeC* readNamedRecord(metaObjectVirtualDataBaseC& owner, std::string_view key) {
  return owner.getOrAddChild(key);
}
// A point member holds exactly two numbers; anything else reads as (0, 0).
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
