#pragma once
#include <string_view>

#include "lorvane/document/documentKeys.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane {

// The length unit stored under the preference record (created, empty, when
// missing); 0 or nothing stored counts as 1.0.
double readUnitBase(metaObjectVirtualDataBaseC& document, std::string_view prefsKey);
void writeUnitBase(metaObjectVirtualDataBaseC& document, std::string_view prefsKey, double unit);

// Multiplies the number member by the factor (a missing member reads as 0.0).
void multiplyNumber(metaObjectVirtualDataBaseC& owner, std::string_view key, double factor);

// The insertion offsets kept for a DXF exchange, when the document has
// settings at all (they are never created here).
void scaleDxfOffsets(metaObjectVirtualDataBaseC& document, double factor);

}  // namespace lorvane
