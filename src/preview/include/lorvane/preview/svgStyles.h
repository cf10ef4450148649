#pragma once
// How a scene style looks on screen: colour, stroke width and dash pattern,
// the name the legend gives it, and the style sheet of the document's
// classes .s0, .s1, ...
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lorvane/preview/scene.h"

namespace lorvane::preview::svg {

struct lookC {
  std::string_view colour;        // "#rrggbb"
  double pixels = 1;              // stroke width in screen pixels
  std::span<const double> dash;   // dash, gap, ... in screen pixels; empty: solid
};

// The style table.
//
// MI: the colour by its number, two pixels per width unit, the dash by the
// line type code (1 dashed, 3 dot-dash, 4 long dashes, other codes dashed).
//
// META2D: the line kind of records 900 and 901. The type gives the dash
// (0 and 1 continuous, 2 dot-dash, 3 dashed, any other dash-dot-dot), the
// width class one pixel per class (at least one, at most six). A cut-out
// bracket draws its continuous lines with fine dashes (hidden) or long
// dashes (dash) and every line of it in its own colour (grey, blue), so that
// each kind inside a bracket differs from the same kind outside.
lookC lookOf(const styleC& style);

// "#rrggbb" for an MI colour number; numbers outside the palette, the
// default 7 and -1 (none) give black.
std::string_view colourOf(int colourNumber);

// The legend's name of one style where no layer names it. MI: the dash of
// the line type code, the width number and a colour other than the default
// ("dot-dash, width 0.25, colour 2"); META2D: the record 900 and 901 values
// and the cut-out bracket ("type 1, width 2, cut-out hidden").
std::string styleName(const styleC& style);

// One rule per style for strokes, with widths and dashes in drawing units
// (pixels times unitsPerPixel), and one for the fill of its texts.
void appendStyleSheet(std::string& out, const std::vector<styleC>& styles, double unitsPerPixel);

// A dash pattern as an attribute or property value, in pixels times scale.
void appendDashArray(std::string& out, std::span<const double> pattern, double scale);

}  // namespace lorvane::preview::svg
