#pragma once
// Draws a scene as one self-contained SVG document.
#include <string>

#include "preview/scene.h"

namespace lorvane::preview {

struct svgOptionsC {
  std::string title;  // shown in the legend and as the document title
};

std::string writeSvg(const sceneC& scene, const svgOptionsC& options);

}  // namespace lorvane::preview
