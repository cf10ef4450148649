#pragma once
// How a scene style looks on screen: colour, stroke width and dash pattern,
// and the style sheet of the document's classes .s0, .s1, ...
#include <span>
#include <string>
#include <string_view>

#include "preview/scene.h"

namespace lorvane::preview::svg {

// "#rrggbb" for an MI colour number; numbers outside the palette, the
// default 7 and -1 (none) give black.
std::string_view colourOf(int colourNumber);

// The stroke width in screen pixels: the MI width number itself (1 is the
// default), bounded to stay visible and not to swallow the drawing; styles
// without a width draw 1 pixel wide.
double strokePixels(const styleC& style);

// The dash pattern in screen pixels (dash, gap, ...), empty for solid
// styles. MI line type 3 draws dot-dash, 4 long dashes; every other dashed
// style (MI line type 1, the dashed META2D kinds) plain dashes.
std::span<const double> dashPixels(const styleC& style);

// One rule per style for strokes, with widths and dashes in drawing units
// (pixels times unitsPerPixel), and one for the fill of its texts.
void appendStyleSheet(std::string& out, const std::vector<styleC>& styles, double unitsPerPixel);

}  // namespace lorvane::preview::svg
