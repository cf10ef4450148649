#pragma once
#include <cstdint>
#include <span>

#include "lorvane/module/formatDispatch.h"

namespace lorvane {

// The module's output formats, in the order the capability tree lists them.
// A new format is one row here and a writer folder under src/writers/.
std::span<const outputFormatC> builtInFormats();

// One conversion request with the module's own formats, as convertMetaTree
// runs it.
inline std::int32_t convertRequest(metaTreeC* request, lorvaneProgressCallback progress) noexcept {
  return convertRequest(request, progress, builtInFormats());
}

}  // namespace lorvane
