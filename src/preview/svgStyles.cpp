#include "lorvane/preview/svgStyles.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "svgFormat.h"

namespace lorvane::preview::svg {

namespace {

// The palette of MI colour numbers on a white background. White and yellow
// are darkened so that they show; 7, the files' default foreground colour,
// is drawn black.
constexpr std::array<std::string_view, 9> palette = {
    "#000000",  // 0 black
    "#505050",  // 1 white, drawn dark grey
    "#d00000",  // 2 red
    "#008000",  // 3 green
    "#0000d0",  // 4 blue
    "#b08800",  // 5 yellow, darkened
    "#c000c0",  // 6 magenta
    "#000000",  // 7 default foreground
    "#008b8b",  // 8 cyan, darkened
};

constexpr std::string_view cutOutHiddenColour = "#707070";
constexpr std::string_view cutOutDashColour = "#1f5fa0";

constexpr std::array<double, 2> dash = {6, 4};
constexpr std::array<double, 4> dotDash = {8, 3, 1.5, 3};
constexpr std::array<double, 2> longDash = {14, 4};
constexpr std::array<double, 6> dashDotDot = {10, 3, 1.5, 3, 1.5, 3};
constexpr std::array<double, 2> fineDash = {3, 2};

constexpr double pixelsPerWidthUnit = 2;
constexpr double thinnestPixels = 0.5;
constexpr double widestPixels = 16;
constexpr int widestClass = 6;

// MI widths are pen widths (0.13 to 2.0 in the usual settings, 1.000 where
// a drawing sets none): two pixels per unit keeps a 0.5 contour and a 0.25
// thin line apart on screen; files without widths draw one pixel.
lookC miLook(const styleC& style) {
  lookC look;
  look.colour = colourOf(style.colour);
  if (style.width > 0 && std::isfinite(style.width)) {
    look.pixels = std::clamp(style.width * pixelsPerWidthUnit, thinnestPixels, widestPixels);
  }
  if (style.dashed) {
    if (style.lineType == 3) look.dash = dotDash;
    else if (style.lineType == 4) look.dash = longDash;
    else look.dash = dash;
  }
  return look;
}

lookC meta2dLook(const styleC& style) {
  lookC look;
  const bool hidden = style.layer == "cut-out hidden";
  const bool dashCut = style.layer == "cut-out dash";
  look.colour = hidden ? cutOutHiddenColour : dashCut ? cutOutDashColour : palette[0];
  look.pixels = static_cast<double>(std::clamp(style.shapeWidth, 1, widestClass));
  const int type = style.shapeType;
  if (type >= -1 && type <= 1) {
    if (hidden) look.dash = fineDash;
    else if (dashCut) look.dash = longDash;
  } else if (type == 2) {
    look.dash = dotDash;
  } else if (type == 3) {
    look.dash = dash;
  } else {
    look.dash = dashDotDot;
  }
  return look;
}

}  // namespace

std::string_view colourOf(int colourNumber) {
  if (colourNumber < 0 || colourNumber >= static_cast<int>(palette.size())) return palette[0];
  return palette[static_cast<std::size_t>(colourNumber)];
}

lookC lookOf(const styleC& style) {
  return style.family == styleFamily::meta2d ? meta2dLook(style) : miLook(style);
}

std::string styleName(const styleC& style) {
  if (style.family == styleFamily::meta2d) {
    std::string name = style.shapeType < 0 && style.shapeWidth < 0
                           ? std::string("no line kind")
                           : "type " + std::to_string(style.shapeType) + ", width " + std::to_string(style.shapeWidth);
    if (style.layer != "visible") name += ", " + cleanText(style.layer);
    return name;
  }
  std::string name;
  switch (style.lineType) {
    case 0: name = "solid"; break;
    case 1: name = "dashed"; break;
    case 3: name = "dot-dash"; break;
    case 4: name = "long dash"; break;
    default: name = "line type " + std::to_string(style.lineType); break;
  }
  name += ", width ";
  appendFixed(name, style.width);
  if (style.colour >= 0 && style.colour != 7) name += ", colour " + std::to_string(style.colour);
  return name;
}

void appendDashArray(std::string& out, std::span<const double> pattern, double scale) {
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    if (k > 0) out += ',';
    appendFixed(out, pattern[k] * scale);
  }
}

void appendStyleSheet(std::string& out, const std::vector<styleC>& styles, double unitsPerPixel) {
  out += "path{fill:none;stroke-linejoin:round}\n";
  out += "text{stroke:none;font-family:sans-serif}\n";
  for (std::size_t i = 0; i < styles.size(); ++i) {
    const lookC look = lookOf(styles[i]);
    const std::string name = ".s" + std::to_string(i);
    out += name;
    out += "{stroke:";
    out += look.colour;
    out += ";stroke-width:";
    appendFixed(out, look.pixels * unitsPerPixel);
    if (!look.dash.empty()) {
      out += ";stroke-dasharray:";
      appendDashArray(out, look.dash, unitsPerPixel);
    }
    // Texts lie in groups of the class; the class's stroke would outweigh
    // the plain text rule where a text has it itself: texts are filled
    // only.
    out += "}\ntext";
    out += name;
    out += ',';
    out += name;
    out += " text{fill:";
    out += look.colour;
    out += ";stroke:none}\n";
  }
}

}  // namespace lorvane::preview::svg
