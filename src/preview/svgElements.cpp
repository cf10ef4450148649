#include "svgElements.h"

#include <cmath>

#include "svgFormat.h"
#include "lorvane/preview/svgGeometry.h"

namespace lorvane::preview::svg {

namespace {

const char* anchorOf(int column) {
  if (column == 1) return "middle";
  if (column == 2) return "end";
  return "start";
}

}  // namespace

void appendClass(std::string& out, std::size_t style, std::size_t styleCount) {
  if (style >= styleCount) return;
  out += " class=\"s";
  out += std::to_string(style);
  out += '"';
}

void appendTextsStart(std::string& out, const elementC& text, std::size_t styleCount) {
  out += "<g";
  appendClass(out, text.style, styleCount);
  appendFixedAttribute(out, "font-size", text.height);
  out += ">\n";
}

// One matrix places the text: moved to its point, turned counter-clockwise
// in the y-up space and flipped back, so that the glyphs stand upright:
// (cos, sin, sin, -cos, x, y).
void appendText(std::string& out, const elementC& text, const gridC& grid) {
  const textLayoutC layout = layoutText(text);
  double sine = 0;
  double cosine = 1;
  sinCosDegrees(text.angle, sine, cosine);
  out += "<text";
  if (layout.column != 0) {
    out += " text-anchor=\"";
    out += anchorOf(layout.column);
    out += '"';
  }
  out += " transform=\"matrix(";
  appendFixed(out, cosine);
  out += ' ';
  appendFixed(out, sine);
  out += ' ';
  appendFixed(out, sine);
  out += ' ';
  appendFixed(out, -cosine);
  out += ' ';
  grid.append(out, grid.steps(text.a.x));
  out += ' ';
  grid.append(out, grid.steps(text.a.y));
  out += ")\"";
  if (layout.lines.size() == 1) {
    // A single line needs no tspan: its baseline is the text's own y.
    if (layout.firstBaseline != 0) appendFixedAttribute(out, "y", layout.firstBaseline);
    out += '>';
    appendEscaped(out, layout.lines[0]);
    out += "</text>\n";
    return;
  }
  out += '>';
  for (std::size_t i = 0; i < layout.lines.size(); ++i) {
    out += "<tspan x=\"0\" dy=\"";
    appendFixed(out, i == 0 ? layout.firstBaseline : layout.pitch);
    out += "\">";
    appendEscaped(out, layout.lines[i]);
    out += "</tspan>";
  }
  out += "</text>\n";
}

}  // namespace lorvane::preview::svg
