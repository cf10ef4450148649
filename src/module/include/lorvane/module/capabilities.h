#pragma once
#include <string>

#include "lorvane/version.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane {

// The module's identity and the formats it converts, as the host reads them.
inline constexpr const char* kModuleName = "Lorvane";
inline constexpr const char* kModuleVersion = kLorvaneVersion;
inline constexpr const char* kModuleDescription = "Remote Part generation meta2d formats (meta2d, me10)";
inline constexpr const char* kInputFormatName = "META2DV2";

// A new, free-standing "DLLIFACE" tree that the caller owns.
metaTreeC* buildCapabilityTree();

// "Mmm dd yyyy:hh:mm:ss" from the compiler's build date and time.
std::string buildDateText(const char* date, const char* time);

}  // namespace lorvane
