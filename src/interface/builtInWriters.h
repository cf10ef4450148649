#pragma once
#include <cstdint>
#include <memory>

#include "lorvane/interface/formatDispatch.h"

namespace lorvane {

// The writers built into the module: META2D and MI; null for none.
std::unique_ptr<conversionWriterC> createBuiltInWriter(outputWriterKind kind, lorvaneProgressCallback progress,
                                                       metaTreeC* request);

// One conversion request with the module's own writers, as convertMetaTree
// runs it.
inline std::int32_t convertRequest(metaTreeC* request, lorvaneProgressCallback progress) noexcept {
  return convertRequest(request, progress, &createBuiltInWriter);
}

}  // namespace lorvane
