#include "rasterise.h"

#ifdef LORVANE_HAVE_CAIRO

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lorvane/preview/pictureLayout.h"
#include "lorvane/preview/svgGeometry.h"
#include "lorvane/preview/svgStyles.h"

namespace lorvane::cli {
namespace {

using preview::elementC;
using preview::elementKind;
using preview::pictureLayoutC;
using preview::pointC;

constexpr int largestSide = 32767;  // cairo's image surfaces
// Four bytes a pixel: a gigabyte at most, on machines shared with others.
constexpr long long largestArea = 16384LL * 16384;
// Lines of one style are stroked in pieces of this many elements, which
// bounds the memory of cairo's path on a drawing of millions.
constexpr std::size_t elementsPerStroke = 8192;
// Where the pen stands close enough to an element's start, in pixels, the
// element continues the subpath, so that a dash runs on along a chain.
constexpr double joinPixels = 0.02;
// Lines covering the drawing this many times over are painted without
// smoothing.
constexpr double saturatedCoverage = 8;
// Arcs of a larger radius, in pixels, would overflow cairo's fixed-point
// coordinates (24 bits before the point) with their centre.
constexpr double farRadiusPixels = 4e6;
constexpr int flatArcPieces = 16;

double radiansOf(double degrees) { return degrees * std::numbers::pi / 180.0; }

void setColour(cairo_t* cr, std::string_view hex) {
  unsigned value = 0;
  for (std::size_t k = 1; k < hex.size() && k < 7; ++k) {
    const char c = hex[k];
    value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
  }
  cairo_set_source_rgb(cr, ((value >> 16) & 0xff) / 255.0, ((value >> 8) & 0xff) / 255.0, (value & 0xff) / 255.0);
}

void setDash(cairo_t* cr, std::span<const double> dash) {
  cairo_set_dash(cr, dash.data(), static_cast<int>(dash.size()), 0);
}

void setFont(cairo_t* cr, double size, bool bold) {
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

class painterC {
 public:
  painterC(cairo_t* cr, const preview::sceneC& scene, const pictureLayoutC& layout)
      : cr_(cr), scene_(scene), layout_(layout) {}

  void paint(bool labels) {
    cairo_set_source_rgb(cr_, 1, 1, 1);
    cairo_paint(cr_);
    cairo_save(cr_);
    cairo_rectangle(cr_, layout_.drawingX, 0, layout_.drawingWidth, layout_.drawingHeight);
    cairo_clip(cr_);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    // Where the lines would cover the drawing many times over, smoothing
    // their edges shows nothing and takes most of the time: the lines of
    // a random drawing of 100,000 items are painted in a fifth of the time
    // without.
    if (inkPixels() > saturatedCoverage * layout_.drawingWidth * layout_.drawingHeight) {
      cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    }
    paintLines();
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_DEFAULT);
    setFont(cr_, 1, false);
    for (const elementC& element : scene_.elements) {
      if (element.kind == elementKind::text && preview::svg::isDrawable(element)) paintText(element);
    }
    if (labels) paintLabels();
    cairo_restore(cr_);
    paintLegend();
  }

 private:
  pointC pixel(const pointC& point) const {
    return {layout_.drawingX + (point.x - layout_.view.x) / layout_.unitsPerPixel,
            (layout_.view.y + layout_.view.height - point.y) / layout_.unitsPerPixel};
  }

  bool atPen(const pointC& point) const {
    if (!cairo_has_current_point(cr_)) return false;
    double x = 0;
    double y = 0;
    cairo_get_current_point(cr_, &x, &y);
    return std::fabs(x - point.x) <= joinPixels && std::fabs(y - point.y) <= joinPixels;
  }

  // The area the lines and arcs would cover, in pixels: their lengths
  // times their widths.
  double inkPixels() const {
    std::vector<double> widths;
    for (const preview::styleC& style : scene_.styles) {
      widths.push_back(std::max(preview::svg::lookOf(style).pixels, 1.0));
    }
    double ink = 0;
    for (const elementC& element : scene_.elements) {
      if (element.kind == elementKind::text || element.style >= scene_.styles.size() ||
          !preview::svg::isDrawable(element)) {
        continue;
      }
      double length = 0;
      if (element.kind == elementKind::line) {
        length = std::hypot(element.b.x - element.a.x, element.b.y - element.a.y);
      } else {
        const double sweep = element.kind == elementKind::circle ? 360 : preview::svg::arcSweep(element);
        length = element.radius * radiansOf(std::min(sweep, 360.0));
      }
      ink += length / layout_.unitsPerPixel * widths[element.style];
    }
    return ink;
  }

  // Lines, arcs and circles in scene order, stroked once per run of one
  // style. An element of no style is not drawn: the SVG gives it no stroke.
  void paintLines() {
    std::size_t style = scene_.styles.size();
    std::size_t pending = 0;
    for (const elementC& element : scene_.elements) {
      if (element.kind == elementKind::text || element.style >= scene_.styles.size() ||
          !preview::svg::isDrawable(element)) {
        continue;
      }
      if (element.style != style || pending >= elementsPerStroke) {
        if (pending > 0) cairo_stroke(cr_);
        pending = 0;
        if (element.style != style) {
          style = element.style;
          const preview::svg::lookC look = preview::svg::lookOf(scene_.styles[style]);
          setColour(cr_, look.colour);
          cairo_set_line_width(cr_, look.pixels);
          setDash(cr_, look.dash);
        }
      }
      addToPath(element);
      ++pending;
    }
    if (pending > 0) cairo_stroke(cr_);
  }

  void addToPath(const elementC& element) {
    const double scale = 1 / layout_.unitsPerPixel;
    if (element.kind == elementKind::circle) {
      const pointC centre = pixel(element.centre);
      cairo_new_sub_path(cr_);
      cairo_arc(cr_, centre.x, centre.y, element.radius * scale, 0, 2 * std::numbers::pi);
      cairo_close_path(cr_);
      return;
    }
    const pointC from = pixel(element.a);
    const pointC to = pixel(element.b);
    if (element.kind == elementKind::line) {
      if (!atPen(from)) cairo_move_to(cr_, from.x, from.y);
      cairo_line_to(cr_, to.x, to.y);
      return;
    }
    // The drawing's counter-clockwise turns clockwise on a screen whose y
    // runs down: angles change their sign.
    const pointC centre = pixel(element.centre);
    const double sweep = preview::svg::arcSweep(element);
    const double start = -radiansOf(element.startAngle);
    const double end = sweep >= 360.0 ? start - 2 * std::numbers::pi : start - radiansOf(sweep);
    const double radius = element.radius * scale;
    if (radius > farRadiusPixels) {
      addFlatArc(from, to, centre, radius);
      return;
    }
    if (atPen(to) && !atPen(from)) {
      cairo_arc(cr_, centre.x, centre.y, radius, end, start);
      return;
    }
    if (!atPen(from)) cairo_new_sub_path(cr_);
    cairo_arc_negative(cr_, centre.x, centre.y, radius, start, end);
  }

  // An arc about a far centre, as lines through points of its bow: each
  // point's height above the chord from the difference of two squares,
  // which stays exact however far the centre lies. A short arc's sweep
  // is at most a few degrees here.
  void addFlatArc(const pointC& from, const pointC& to, const pointC& centre, double radius) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double half = std::hypot(dx, dy) / 2;
    // The bow bulges away from the centre.
    double nx = -dy;
    double ny = dx;
    const double midX = from.x + dx / 2;
    const double midY = from.y + dy / 2;
    if (nx * (midX - centre.x) + ny * (midY - centre.y) < 0) {
      nx = -nx;
      ny = -ny;
    }
    const double length = std::hypot(nx, ny);
    if (!atPen(from)) cairo_move_to(cr_, from.x, from.y);
    for (int k = 1; k <= flatArcPieces; ++k) {
      const double t = static_cast<double>(k) / flatArcPieces;
      const double along = (t - 0.5) * 2 * half;
      const double height = length > 0 ? (half * half - along * along) /
                                             (std::sqrt(radius * radius - along * along) +
                                              std::sqrt(radius * radius - half * half)) / length
                                       : 0;
      cairo_line_to(cr_, from.x + dx * t + nx * height, from.y + dy * t + ny * height);
    }
  }

  // A text as the SVG sets it: its lines from the block's first baseline,
  // anchored left, centre or right, turned about its point.
  void paintText(const elementC& text) {
    const preview::svg::textLayoutC layout = preview::svg::layoutText(text);
    const double scale = 1 / layout_.unitsPerPixel;
    const pointC at = pixel(text.a);
    const bool styled = text.style < scene_.styles.size();
    setColour(cr_, styled ? preview::svg::lookOf(scene_.styles[text.style]).colour : std::string_view("#000000"));
    cairo_save(cr_);
    cairo_translate(cr_, at.x, at.y);
    cairo_rotate(cr_, -radiansOf(text.angle));
    cairo_set_font_size(cr_, text.height * scale);
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
      const std::string& line = layout.lines[i];
      double x = 0;
      if (layout.column != 0) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr_, line.c_str(), &extents);
        x = -extents.x_advance * layout.column / 2;
      }
      cairo_move_to(cr_, x, (layout.firstBaseline + static_cast<double>(i) * layout.pitch) * scale);
      cairo_show_text(cr_, line.c_str());
    }
    cairo_restore(cr_);
  }

  void paintLabels() {
    setColour(cr_, preview::labelColour);
    setFont(cr_, preview::labelPixels, false);
    for (const preview::figureLabelC& label : layout_.labels) {
      const pointC at = pixel({label.x, label.baseline});
      cairo_move_to(cr_, at.x, at.y);
      cairo_show_text(cr_, label.text.c_str());
    }
  }

  void paintLegend() {
    cairo_save(cr_);
    cairo_translate(cr_, layout_.legendLeft, layout_.legendTop);
    for (const preview::legendMarkC& mark : layout_.legend) {
      switch (mark.what) {
        case preview::legendMarkC::kind::box:
          cairo_rectangle(cr_, mark.x, mark.y, mark.x2, mark.y2);
          if (!mark.fill.empty()) {
            setColour(cr_, mark.fill);
            cairo_fill_preserve(cr_);
          }
          if (!mark.stroke.empty()) {
            setColour(cr_, mark.stroke);
            cairo_set_line_width(cr_, mark.strokePixels);
            setDash(cr_, {});
            cairo_stroke_preserve(cr_);
          }
          cairo_new_path(cr_);
          break;
        case preview::legendMarkC::kind::line:
          setColour(cr_, mark.stroke);
          cairo_set_line_width(cr_, mark.strokePixels);
          setDash(cr_, mark.dash);
          cairo_move_to(cr_, mark.x, mark.y);
          cairo_line_to(cr_, mark.x2, mark.y2);
          cairo_stroke(cr_);
          break;
        case preview::legendMarkC::kind::text:
          setColour(cr_, mark.fill);
          setFont(cr_, mark.fontSize, mark.bold);
          cairo_move_to(cr_, mark.x, mark.y);
          cairo_show_text(cr_, mark.text.c_str());
          break;
      }
    }
    cairo_restore(cr_);
  }

  cairo_t* cr_;
  const preview::sceneC& scene_;
  const pictureLayoutC& layout_;
};

// cairo is C: nothing may be thrown through it.
cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  try {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
  } catch (...) {
    return CAIRO_STATUS_NO_MEMORY;
  }
}

struct surfaceDeleterC {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct contextDeleterC {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

}  // namespace

bool canRasterise(std::string&) { return true; }

bool rasteriseScene(const preview::sceneC& scene, const preview::svgOptionsC& options, int width, std::string& png,
                    std::string& error) {
  const pictureLayoutC layout = preview::layOutPicture(scene, options);
  const double factor = width > 0 ? width / layout.width : 1;
  const double pixelsWide = width > 0 ? width : std::ceil(layout.width);
  const double pixelsHigh = std::ceil(layout.height * factor);
  if (pixelsWide > largestSide || pixelsHigh > largestSide || pixelsWide * pixelsHigh > largestArea) {
    error = "a picture of " + std::to_string(static_cast<long long>(pixelsWide)) + " x " +
            std::to_string(static_cast<long long>(pixelsHigh)) + " pixels is larger than PNG output draws (" +
            std::to_string(largestSide) + " pixels a side, " + std::to_string(largestArea / 1000000) +
            " million in all); give a smaller --width";
    return false;
  }
  const std::unique_ptr<cairo_surface_t, surfaceDeleterC> surface(cairo_image_surface_create(
      CAIRO_FORMAT_RGB24, static_cast<int>(pixelsWide), static_cast<int>(pixelsHigh)));
  const std::unique_ptr<cairo_t, contextDeleterC> cr(cairo_create(surface.get()));
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
    error = std::string("cannot draw the picture: ") + cairo_status_to_string(cairo_status(cr.get()));
    return false;
  }
  cairo_scale(cr.get(), factor, factor);
  painterC(cr.get(), scene, layout).paint(options.labels);
  cairo_surface_flush(surface.get());
  png.clear();
  const cairo_status_t written = cairo_surface_write_to_png_stream(surface.get(), appendBytes, &png);
  if (written != CAIRO_STATUS_SUCCESS) {
    error = std::string("cannot write the PNG picture: ") + cairo_status_to_string(written);
    return false;
  }
  return true;
}

}  // namespace lorvane::cli

#else

namespace lorvane::cli {

bool canRasterise(std::string& error) {
  error = "PNG output is not available in this build of lorvane: it was built without cairo (Debian: "
          "apt-get install libcairo2-dev, then build again); write SVG instead";
  return false;
}

bool rasteriseScene(const preview::sceneC&, const preview::svgOptionsC&, int, std::string&, std::string& error) {
  return canRasterise(error);
}

}  // namespace lorvane::cli

#endif
