#pragma once
// The SVG elements of drawable texts, in the drawing's own coordinates on
// the document's grid (y up: the enclosing group flips them). Lines, arcs
// and circles go into paths (svgPath.h).
#include <string>

#include "lorvane/preview/scene.h"
#include "lorvane/preview/svgGrid.h"

namespace lorvane::preview::svg {

// ` class="sN"` for a style index below styleCount; nothing otherwise (the
// document's defaults).
void appendClass(std::string& out, std::size_t style, std::size_t styleCount);

// The start of a group of texts of one style and height:
// `<g class="sN" font-size="H">`.
void appendTextsStart(std::string& out, const elementC& text, std::size_t styleCount);

// Appends one text element ending in a line feed. The element must be a
// drawable text; style and height come from the enclosing group.
void appendText(std::string& out, const elementC& text, const gridC& grid);

}  // namespace lorvane::preview::svg
