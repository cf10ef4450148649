#pragma once
// Draws a scene as one self-contained SVG document.
#include <string>

#include "preview/scene.h"

namespace lorvane::preview {

struct svgOptionsC {
  std::string title;  // shown in the legend and as the document title
  // Screen pixels of the drawing's longer side; values outside 16..100000
  // take the default.
  double pixelSize = 1000;
};

// An SVG 1.1 document in UTF-8 with lines ending in line feeds, the same
// bytes for the same scene on every platform. The drawing keeps its own
// coordinates under a y flip, fitted with a margin into the drawing area;
// the legend lies below it. Elements that cannot be drawn (non-finite or
// out-of-range values, no radius, no text) are left out. Throws nothing but
// std::bad_alloc.
std::string writeSvg(const sceneC& scene, const svgOptionsC& options);

}  // namespace lorvane::preview
