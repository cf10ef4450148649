#pragma once
// Where everything of a preview lies, the same for every picture format:
// the drawing's view in drawing units, its size in screen pixels, the
// legend's marks and the figure labels. The SVG writer prints it, the PNG
// rasteriser paints it, so that both show one picture.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lorvane/preview/scene.h"
#include "lorvane/preview/svgWriter.h"

namespace lorvane::preview {

// The drawing's extent in drawing units, margin included.
struct viewC {
  double x = 0;
  double y = 0;  // bottom edge (y up)
  double width = 1;
  double height = 1;
};

// One mark of the legend, in screen pixels with y down, relative to the
// legend's top left corner.
struct legendMarkC {
  enum class kind { box, line, text };
  kind what = kind::text;
  double x = 0;
  double y = 0;       // a text's baseline
  double x2 = 0;      // box: width; line: end
  double y2 = 0;      // box: height; line: end
  std::string_view fill;    // box and text colour "#rrggbb"; empty: none
  std::string_view stroke;  // box outline and line colour; empty: none
  double strokePixels = 1;
  std::span<const double> dash;  // line: dash pattern in pixels; empty: solid
  double fontSize = 0;
  bool bold = false;
  bool scaleBar = false;  // part of the scale bar
  std::string text;       // clean UTF-8
};

// A figure's name where it is shown: its baseline's start in drawing units
// (y up), text clean UTF-8.
struct figureLabelC {
  std::string text;
  double x = 0;
  double baseline = 0;
};

struct pictureLayoutC {
  viewC view;
  double unitsPerPixel = 1;
  double drawingX = 0;  // the drawing area's left edge in the picture, pixels
  double drawingWidth = 1;   // pixels
  double drawingHeight = 1;  // pixels
  double width = 1;   // the whole picture, pixels
  double height = 1;
  double legendLeft = 0;
  double legendTop = 0;
  std::vector<legendMarkC> legend;
  double labelSize = 0;  // drawing units
  std::vector<figureLabelC> labels;
  std::size_t labelsLeftOut = 0;
  bool drawable = false;  // whether any element can be drawn
};

// Screen pixels per label character height, and the label colour.
constexpr double labelPixels = 11;
constexpr std::string_view labelColour = "#3a5f8f";

// The layout of a scene's picture: the drawing fitted with a margin so that
// its longer side is options.pixelSize pixels (16..100000, else 1000), the
// legend below a drawing wider than tall and beside any other, the labels
// (with options.labels) each where it overlaps no other.
pictureLayoutC layOutPicture(const sceneC& scene, const svgOptionsC& options);

}  // namespace lorvane::preview
