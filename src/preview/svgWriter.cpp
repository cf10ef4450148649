#include "lorvane/preview/svgWriter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "svgElements.h"
#include "svgFormat.h"
#include "svgGeometry.h"
#include "lorvane/preview/svgGrid.h"
#include "svgLegend.h"
#include "lorvane/preview/svgPath.h"
#include "lorvane/preview/svgStyles.h"

namespace lorvane::preview {

namespace {

using svg::appendEscaped;
using svg::appendFixed;
using svg::appendFixedAttribute;
using svg::appendNumber;

constexpr double defaultPixelSize = 1000;
constexpr double marginPerSize = 0.05;
// A legend below the drawing needs some room even under a narrow drawing.
constexpr double narrowestLegend = 320;
constexpr double labelPixels = 11;
constexpr double labelGapPixels = 4;

// The drawing's extent in drawing units, margin included.
struct viewC {
  double x = 0;
  double y = 0;  // bottom edge (y up)
  double width = 1;
  double height = 1;
};

viewC fittedView(const sceneC& scene) {
  svg::boxC box;
  for (const elementC& element : scene.elements) {
    if (svg::isDrawable(element)) svg::addExtent(box, element);
  }
  if (box.empty()) box = {0, 0, 0, 0};
  const double largest = std::max({std::fabs(box.minX), std::fabs(box.minY), std::fabs(box.maxX),
                                   std::fabs(box.maxY)});
  double size = std::max(box.maxX - box.minX, box.maxY - box.minY);
  // A point, or an extent too small to tell apart at its distance from the
  // origin, is shown in a unit box (larger far out, so that its sides
  // differ at all).
  if (size <= std::max(largest * 1e-12, 1e-200)) {
    const double half = std::max(0.5, largest * 1e-9);
    const double centreX = box.minX / 2 + box.maxX / 2;
    const double centreY = box.minY / 2 + box.maxY / 2;
    box = {centreX - half, centreY - half, centreX + half, centreY + half};
    size = box.maxX - box.minX;
  }
  const double margin = size * marginPerSize;
  return {box.minX - margin, box.minY - margin, box.maxX - box.minX + 2 * margin,
          box.maxY - box.minY + 2 * margin};
}

// Element indices ordered by group, scene order within a group; elements of
// no valid group come last.
std::vector<std::size_t> groupStarts(const sceneC& scene, std::vector<std::size_t>& order) {
  const std::size_t buckets = scene.groups.size() + 1;
  std::vector<std::size_t> starts(buckets + 1, 0);
  const auto bucketOf = [&](const elementC& element) {
    return element.group < scene.groups.size() ? element.group : scene.groups.size();
  };
  for (const elementC& element : scene.elements) ++starts[bucketOf(element) + 1];
  for (std::size_t b = 0; b < buckets; ++b) starts[b + 1] += starts[b];
  order.assign(scene.elements.size(), 0);
  std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
  for (std::size_t i = 0; i < scene.elements.size(); ++i) {
    order[next[bucketOf(scene.elements[i])]++] = i;
  }
  return starts;
}

// The name a label shows: an MI part's name without the number suffix
// "`~N" that the MI writer appends to every part.
std::string labelOf(const std::string& name) {
  std::string clean = svg::cleanText(name);
  const std::size_t mark = clean.rfind("`~");
  if (mark != std::string::npos && mark + 2 < clean.size() &&
      clean.find_first_not_of("0123456789", mark + 2) == std::string::npos) {
    clean.erase(mark);
  }
  return clean;
}

class groupWriterC {
 public:
  groupWriterC(std::string& out, const sceneC& scene, const svg::gridC& grid, svgStatsC& stats)
      : out_(out), scene_(scene), grid_(grid), stats_(stats), path_(grid) {}

  // Every group with its elements; the extent of each named group's
  // drawable elements goes into boxes.
  void appendGroups(std::vector<svg::boxC>& boxes) {
    std::vector<std::size_t> order;
    const std::vector<std::size_t> starts = groupStarts(scene_, order);
    boxes.assign(scene_.groups.size(), svg::boxC());
    for (std::size_t g = 0; g + 1 < starts.size(); ++g) {
      const bool named = g < scene_.groups.size();
      if (!named && starts[g] == starts[g + 1]) continue;
      if (named) {
        const std::string name = svg::cleanText(scene_.groups[g].name);
        out_ += "<g id=\"g";
        out_ += std::to_string(g + 1);
        out_ += "\" data-name=\"";
        appendEscaped(out_, name);
        out_ += "\">\n<title>";
        appendEscaped(out_, name);
        out_ += "</title>\n";
      } else {
        out_ += "<g id=\"ungrouped\">\n";
      }
      texts_.clear();
      for (std::size_t k = starts[g]; k < starts[g + 1]; ++k) {
        const elementC& element = scene_.elements[order[k]];
        if (!svg::isDrawable(element)) continue;
        if (named) svg::addExtent(boxes[g], element);
        append(element);
      }
      finishPath();
      appendTexts();
      out_ += "</g>\n";
    }
  }

 private:
  // Texts come after the group's lines, so that they neither break its
  // paths nor lie under them.
  void append(const elementC& element) {
    if (element.kind == elementKind::text) {
      texts_.push_back(&element);
      ++stats_.texts;
      return;
    }
    if (!path_.empty() && element.style != pathStyle_) finishPath();
    pathStyle_ = element.style;
    path_.add(element);
    if (element.kind == elementKind::circle) ++stats_.circles;
    else ++stats_.linesAndArcs;
  }

  void finishPath() {
    if (path_.empty()) return;
    out_ += "<path";
    svg::appendClass(out_, pathStyle_, scene_.styles.size());
    out_ += " d=\"";
    out_ += path_.data();
    out_ += "\"/>\n";
    ++stats_.paths;
    path_.clear();
  }

  // Successive texts of one style and height share a group that carries
  // both.
  void appendTexts() {
    const elementC* runStart = nullptr;
    for (const elementC* text : texts_) {
      if (runStart && (text->style != runStart->style || !(text->height == runStart->height))) {
        out_ += "</g>\n";
        runStart = nullptr;
      }
      if (!runStart) {
        runStart = text;
        svg::appendTextsStart(out_, *text, scene_.styles.size());
      }
      svg::appendText(out_, *text, grid_);
    }
    if (runStart) out_ += "</g>\n";
  }

  std::string& out_;
  const sceneC& scene_;
  const svg::gridC& grid_;
  svgStatsC& stats_;
  svg::pathDataC path_;
  std::size_t pathStyle_ = 0;
  std::vector<const elementC*> texts_;
};

// Labels lie in the drawing's viewport without the flip: y is the drawing's
// y negated.
void appendLabels(std::string& out, const sceneC& scene, const std::vector<svg::boxC>& boxes,
                  const svg::gridC& grid, double unitsPerPixel) {
  out += "<g id=\"labels\" fill=\"#3a5f8f\" font-family=\"sans-serif\"";
  appendFixedAttribute(out, "font-size", labelPixels * unitsPerPixel);
  out += ">\n";
  for (std::size_t g = 0; g < boxes.size(); ++g) {
    const std::string label = labelOf(scene.groups[g].name);
    if (boxes[g].empty() || label.empty()) continue;
    out += "<text x=\"";
    grid.append(out, grid.steps(boxes[g].minX));
    out += "\" y=\"";
    grid.append(out, grid.steps(-boxes[g].maxY - labelGapPixels * unitsPerPixel));
    out += "\">";
    appendEscaped(out, label);
    out += "</text>\n";
  }
  out += "</g>\n";
}

}  // namespace

std::string writeSvg(const sceneC& scene, const svgOptionsC& options, svgStatsC* stats) {
  const double pixelSize = options.pixelSize >= 16 && options.pixelSize <= 100000
                               ? options.pixelSize
                               : defaultPixelSize;
  const viewC view = fittedView(scene);
  const double longer = std::max(view.width, view.height);
  const double unitsPerPixel = longer / pixelSize;
  const double drawingWidth = view.width / unitsPerPixel;
  const double drawingHeight = view.height / unitsPerPixel;
  const svg::gridC grid = svg::gridC::forScene(scene, unitsPerPixel);

  std::vector<bool> used(scene.styles.size(), false);
  bool drawable = false;
  for (const elementC& element : scene.elements) {
    if (!svg::isDrawable(element)) continue;
    drawable = true;
    if (element.style < used.size()) used[element.style] = true;
  }
  svg::legendC legend(scene.styles, used, options.title, drawable ? unitsPerPixel : 0);
  const double drawingArea = std::ceil(drawingHeight);
  const bool beside = !legend.empty() && drawingHeight > drawingWidth;
  double width = 0;
  double height = 0;
  double drawingX = 0;
  if (beside) {
    legend.layOutBeside(drawingArea);
    width = std::ceil(drawingWidth) + legend.width();
    height = std::max(drawingArea, legend.height());
  } else {
    width = std::ceil(legend.empty() ? drawingWidth : std::max(drawingWidth, narrowestLegend));
    legend.layOutBelow(width);
    height = drawingArea + legend.height();
    drawingX = (width - drawingWidth) / 2;
  }

  std::string out;
  out.reserve(2048 + scene.elements.size() * 24 + scene.groups.size() * 96 + scene.styles.size() * 160);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
  appendFixedAttribute(out, "width", width);
  appendFixedAttribute(out, "height", height);
  out += " viewBox=\"0 0 ";
  appendFixed(out, width);
  out += ' ';
  appendFixed(out, height);
  out += "\">\n";
  if (!options.title.empty()) {
    out += "<title>";
    appendEscaped(out, svg::cleanText(options.title));
    out += "</title>\n";
  }
  out += "<style type=\"text/css\">\n";
  svg::appendStyleSheet(out, scene.styles, unitsPerPixel);
  out += "</style>\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";

  // The drawing area: a viewport in drawing units whose y runs down, and in
  // it a flip, so that every number below it is the drawing's own.
  out += "<svg id=\"drawing\"";
  appendFixedAttribute(out, "x", drawingX);
  out += " y=\"0\"";
  appendFixedAttribute(out, "width", drawingWidth);
  appendFixedAttribute(out, "height", drawingHeight);
  out += " viewBox=\"";
  appendNumber(out, view.x);
  out += ' ';
  appendNumber(out, -(view.y + view.height));
  out += ' ';
  appendNumber(out, view.width);
  out += ' ';
  appendNumber(out, view.height);
  out += "\">\n<g transform=\"scale(1,-1)\">\n";
  svgStatsC counted;
  std::vector<svg::boxC> boxes;
  groupWriterC(out, scene, grid, counted).appendGroups(boxes);
  out += "</g>\n";
  if (options.labels) appendLabels(out, scene, boxes, grid, unitsPerPixel);
  out += "</svg>\n";
  if (beside) legend.append(out, std::ceil(drawingWidth), 0);
  else legend.append(out, 0, drawingArea);
  out += "</svg>\n";
  if (stats) *stats = counted;
  return out;
}

}  // namespace lorvane::preview
