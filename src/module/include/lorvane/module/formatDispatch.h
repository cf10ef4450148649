#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "lorvane/module/outputFormat.h"

namespace lorvane {

// The format a request names, compared without regard to ASCII case with
// each row's name and other name; null when no row has it.
const outputFormatC* formatNamed(std::string_view name, std::span<const outputFormatC> formats);

// One conversion request: reads NAME, VERSION and OUTPUTLOCATION, runs the
// named format's writer on the first child of INPUTDATA, and turns any
// exception into "unknown exception" under RESTEXT. 0 for a null request,
// else 1.
std::int32_t convertRequest(metaTreeC* request, lorvaneProgressCallback progress,
                            std::span<const outputFormatC> formats) noexcept;

}  // namespace lorvane
