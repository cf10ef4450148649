#include "preview/svgElements.h"

#include <cmath>

#include "preview/svgFormat.h"
#include "preview/svgGeometry.h"

namespace lorvane::preview::svg {

namespace {

void appendAttribute(std::string& out, const char* name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  appendNumber(out, value);
  out += '"';
}

void appendPoint(std::string& out, const pointC& point) {
  appendNumber(out, point.x);
  out += ' ';
  appendNumber(out, point.y);
}

void appendStart(std::string& out, const char* tag, const elementC& element, std::size_t styleCount) {
  out += '<';
  out += tag;
  if (element.style < styleCount) {
    out += " class=\"s";
    out += std::to_string(element.style);
    out += '"';
  }
}

// An elliptical arc command of radius r to the point. The document's
// drawing space has y up, where the positive angle direction that the sweep
// flag 1 selects is counter-clockwise, the direction of every scene arc.
void appendArcTo(std::string& out, double radius, bool large, const pointC& to) {
  out += " A ";
  appendNumber(out, radius);
  out += ' ';
  appendNumber(out, radius);
  out += large ? " 0 1 1 " : " 0 0 1 ";
  appendPoint(out, to);
}

void appendArc(std::string& out, const elementC& arc) {
  const double sweep = arcSweep(arc);
  const bool sameEnds = arc.a.x == arc.b.x && arc.a.y == arc.b.y;
  out += " d=\"M ";
  appendPoint(out, arc.a);
  if (sweep >= 360.0 || (sameEnds && sweep > 180.0)) {
    // An arc command between equal points draws nothing: a full turn goes
    // in two halves through the opposite point.
    const pointC opposite{2 * arc.centre.x - arc.a.x, 2 * arc.centre.y - arc.a.y};
    appendArcTo(out, arc.radius, false, opposite);
    appendArcTo(out, arc.radius, false, arc.a);
  } else {
    appendArcTo(out, arc.radius, sweep > 180.0, arc.b);
  }
  out += '"';
}

const char* anchorOf(int column) {
  if (column == 1) return "middle";
  if (column == 2) return "end";
  return "start";
}

// Translated to its point and turned counter-clockwise in the y-up space,
// then flipped back so that the glyphs stand upright.
void appendText(std::string& out, const elementC& text) {
  const textLayoutC layout = layoutText(text);
  appendAttribute(out, "font-size", text.height);
  out += " text-anchor=\"";
  out += anchorOf(layout.column);
  out += "\" transform=\"translate(";
  appendPoint(out, text.a);
  out += ") rotate(";
  appendNumber(out, std::fmod(text.angle, 360.0));
  out += ") scale(1,-1)\">";
  for (std::size_t i = 0; i < layout.lines.size(); ++i) {
    out += "<tspan x=\"0\" dy=\"";
    appendFixed(out, i == 0 ? layout.firstBaseline : layout.pitch);
    out += "\">";
    appendEscaped(out, layout.lines[i]);
    out += "</tspan>";
  }
  out += "</text>\n";
}

}  // namespace

void appendElement(std::string& out, const elementC& element, std::size_t styleCount) {
  switch (element.kind) {
    case elementKind::line:
      appendStart(out, "line", element, styleCount);
      appendAttribute(out, "x1", element.a.x);
      appendAttribute(out, "y1", element.a.y);
      appendAttribute(out, "x2", element.b.x);
      appendAttribute(out, "y2", element.b.y);
      out += "/>\n";
      return;
    case elementKind::arc:
      appendStart(out, "path", element, styleCount);
      appendArc(out, element);
      out += "/>\n";
      return;
    case elementKind::circle:
      appendStart(out, "circle", element, styleCount);
      appendAttribute(out, "cx", element.centre.x);
      appendAttribute(out, "cy", element.centre.y);
      appendAttribute(out, "r", element.radius);
      out += "/>\n";
      return;
    case elementKind::text:
      appendStart(out, "text", element, styleCount);
      appendText(out, element);
      return;
  }
}

}  // namespace lorvane::preview::svg
