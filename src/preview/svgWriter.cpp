#include "lorvane/preview/svgWriter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "svgElements.h"
#include "svgFormat.h"
#include "lorvane/preview/svgGeometry.h"
#include "lorvane/preview/svgGrid.h"
#include "svgLegend.h"
#include "lorvane/preview/svgPath.h"
#include "lorvane/preview/svgStyles.h"
#include "lorvane/preview/pictureLayout.h"

namespace lorvane::preview {

namespace {

using svg::appendEscaped;
using svg::appendFixed;
using svg::appendFixedAttribute;
using svg::appendNumber;

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

class groupWriterC {
 public:
  groupWriterC(std::string& out, const sceneC& scene, const svg::gridC& grid, svgStatsC& stats)
      : out_(out), scene_(scene), grid_(grid), stats_(stats), path_(grid) {}

  // Every group with its elements.
  void appendGroups() {
    std::vector<std::size_t> order;
    const std::vector<std::size_t> starts = groupStarts(scene_, order);
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
void appendLabels(std::string& out, const pictureLayoutC& layout, const svg::gridC& grid) {
  out += "<g id=\"labels\" fill=\"";
  out += labelColour;
  out += "\" font-family=\"sans-serif\"";
  appendFixedAttribute(out, "font-size", layout.labelSize);
  out += ">\n";
  for (const figureLabelC& label : layout.labels) {
    out += "<text x=\"";
    grid.append(out, grid.steps(label.x));
    out += "\" y=\"";
    grid.append(out, grid.steps(-label.baseline));
    out += "\">";
    appendEscaped(out, label.text);
    out += "</text>\n";
  }
  out += "</g>\n";
}

}  // namespace

std::string writeSvg(const sceneC& scene, const svgOptionsC& options, svgStatsC* stats) {
  const pictureLayoutC layout = layOutPicture(scene, options);
  const viewC& view = layout.view;
  const double width = layout.width;
  const double height = layout.height;
  const svg::gridC grid = svg::gridC::forScene(scene, layout.unitsPerPixel);

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
  svg::appendStyleSheet(out, scene.styles, layout.unitsPerPixel);
  out += "</style>\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";

  // The drawing area: a viewport in drawing units whose y runs down, and in
  // it a flip, so that every number below it is the drawing's own.
  out += "<svg id=\"drawing\"";
  appendFixedAttribute(out, "x", layout.drawingX);
  out += " y=\"0\"";
  appendFixedAttribute(out, "width", layout.drawingWidth);
  appendFixedAttribute(out, "height", layout.drawingHeight);
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
  groupWriterC(out, scene, grid, counted).appendGroups();
  out += "</g>\n";
  if (options.labels) appendLabels(out, layout, grid);
  out += "</svg>\n";
  svg::appendLegend(out, layout.legend, layout.legendLeft, layout.legendTop);
  out += "</svg>\n";
  if (stats) *stats = counted;
  return out;
}

}  // namespace lorvane::preview
