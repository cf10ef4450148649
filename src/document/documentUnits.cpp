#include "documentUnits.h"

namespace lorvane {

double readUnitBase(metaObjectVirtualDataBaseC& document, std::string_view prefsKey) {
  metaObjectC prefs(document.getOrAddChild(prefsKey));
  const double unit = metaObjectC(prefs.getOrAddChild(kUnitBaseKey)).getDouble();
  return unit == 0 ? 1.0 : unit;
}

void writeUnitBase(metaObjectVirtualDataBaseC& document, std::string_view prefsKey, double unit) {
  metaObjectC prefs(document.getOrAddChild(prefsKey));
  metaObjectC(prefs.getOrAddChild(kUnitBaseKey)).setDouble(unit);
}

void multiplyNumber(metaObjectVirtualDataBaseC& owner, std::string_view key, double factor) {
  metaObjectC member(owner.getOrAddChild(key));
  member.setDouble(member.getDouble() * factor);
}

void scaleDxfOffsets(metaObjectVirtualDataBaseC& document, double factor) {
  metaTreeC* settings = document.findChild(kSettingsKey);
  if (!settings) return;
  metaObjectC dxf(metaObjectC(settings).getOrAddChild(kDxfSettingsKey));
  multiplyNumber(dxf, kDxfInsertXKey, factor);
  multiplyNumber(dxf, kDxfInsertYKey, factor);
}

}  // namespace lorvane
