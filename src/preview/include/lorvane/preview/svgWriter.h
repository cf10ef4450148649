#pragma once
// Draws a scene as one self-contained SVG document.
#include <cstddef>
#include <string>

#include "lorvane/preview/scene.h"

namespace lorvane::preview {

struct svgOptionsC {
  std::string title;  // shown in the legend and as the document title
  // Screen pixels of the drawing's longer side; values outside 16..100000
  // take the default.
  double pixelSize = 1000;
  // Each group's name as a small label above its top left corner.
  bool labels = true;
};

// What a document holds, for telling the user about large ones.
struct svgStatsC {
  std::size_t linesAndArcs = 0;
  std::size_t paths = 0;  // path elements they were drawn in
  std::size_t circles = 0;
  std::size_t texts = 0;
};

// An SVG 1.1 document in UTF-8 with lines ending in line feeds, the same
// bytes for the same scene on every platform. The drawing keeps its own
// coordinates under a y flip, fitted with a margin into the drawing area,
// printed on a decimal grid (svgGrid.h); consecutive lines and arcs of one
// style in a group are one path. The legend lies below a drawing wider than
// tall and beside any other. Elements that cannot be drawn (non-finite or
// out-of-range values, no radius, no text) are left out. Throws nothing but
// std::bad_alloc.
std::string writeSvg(const sceneC& scene, const svgOptionsC& options, svgStatsC* stats = nullptr);

}  // namespace lorvane::preview
