#include "preview/svgStyles.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "preview/svgFormat.h"

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

constexpr std::array<double, 2> dash = {6, 4};
constexpr std::array<double, 4> dotDash = {8, 3, 1.5, 3};
constexpr std::array<double, 2> longDash = {14, 4};

constexpr double pixelsPerWidthUnit = 2;
constexpr double thinnestPixels = 0.5;
constexpr double widestPixels = 16;

}  // namespace

std::string_view colourOf(int colourNumber) {
  if (colourNumber < 0 || colourNumber >= static_cast<int>(palette.size())) return palette[0];
  return palette[static_cast<std::size_t>(colourNumber)];
}

// MI widths are pen widths (0.13 to 2.0 in the usual settings, 1.000 where
// a drawing sets none): two pixels per unit keeps a 0.5 contour and a 0.25
// thin line apart on screen; files without widths draw one pixel.
double strokePixels(const styleC& style) {
  if (!(style.width > 0) || !std::isfinite(style.width)) return 1;
  return std::clamp(style.width * pixelsPerWidthUnit, thinnestPixels, widestPixels);
}

std::span<const double> dashPixels(const styleC& style) {
  if (!style.dashed) return {};
  if (style.lineType == 3) return dotDash;
  if (style.lineType == 4) return longDash;
  return dash;
}

void appendStyleSheet(std::string& out, const std::vector<styleC>& styles, double unitsPerPixel) {
  out += "line,path,circle{fill:none}\n";
  out += "text{stroke:none;font-family:sans-serif}\n";
  for (std::size_t i = 0; i < styles.size(); ++i) {
    const styleC& style = styles[i];
    const std::string_view colour = colourOf(style.colour);
    const std::string name = ".s" + std::to_string(i);
    out += name;
    out += "{stroke:";
    out += colour;
    out += ";stroke-width:";
    appendFixed(out, strokePixels(style) * unitsPerPixel);
    const std::span<const double> pattern = dashPixels(style);
    if (!pattern.empty()) {
      out += ";stroke-dasharray:";
      for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (k > 0) out += ',';
        appendFixed(out, pattern[k] * unitsPerPixel);
      }
    }
    out += "}\ntext";
    out += name;
    // The class's stroke would outweigh the plain text rule: texts are
    // filled only.
    out += "{fill:";
    out += colour;
    out += ";stroke:none}\n";
  }
}

}  // namespace lorvane::preview::svg
