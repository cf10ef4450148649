#pragma once
// What the tool tells the user about a document too large to open quickly.
#include <cstddef>
#include <string>

#include "lorvane/preview/svgWriter.h"

namespace lorvane::preview {

// One paragraph: what the document holds, its size, how long it took to
// draw and roughly how long a browser takes to show it.
std::string largeDocumentNotice(const std::string& path, std::size_t bytes, const svgStatsC& stats,
                                double secondsToDraw);

}  // namespace lorvane::preview
