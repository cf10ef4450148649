#include "preview/svgWriter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "preview/svgElements.h"
#include "preview/svgFormat.h"
#include "preview/svgGeometry.h"
#include "preview/svgLegend.h"
#include "preview/svgStyles.h"

namespace lorvane::preview {

namespace {

using svg::appendEscaped;
using svg::appendFixed;
using svg::appendFixedAttribute;
using svg::appendNumber;

constexpr double defaultPixelSize = 1000;
constexpr double marginPerSize = 0.05;
// A legend needs some room even beside a narrow drawing.
constexpr double narrowestLegend = 320;

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

void appendGroups(std::string& out, const sceneC& scene) {
  std::vector<std::size_t> order;
  const std::vector<std::size_t> starts = groupStarts(scene, order);
  const std::size_t styleCount = scene.styles.size();
  for (std::size_t g = 0; g + 1 < starts.size(); ++g) {
    const bool named = g < scene.groups.size();
    if (!named && starts[g] == starts[g + 1]) continue;
    if (named) {
      const std::string name = svg::cleanText(scene.groups[g].name);
      out += "<g id=\"g";
      out += std::to_string(g + 1);
      out += "\" data-name=\"";
      appendEscaped(out, name);
      out += "\">\n<title>";
      appendEscaped(out, name);
      out += "</title>\n";
    } else {
      out += "<g id=\"ungrouped\">\n";
    }
    for (std::size_t k = starts[g]; k < starts[g + 1]; ++k) {
      const elementC& element = scene.elements[order[k]];
      if (svg::isDrawable(element)) svg::appendElement(out, element, styleCount);
    }
    out += "</g>\n";
  }
}

}  // namespace

std::string writeSvg(const sceneC& scene, const svgOptionsC& options) {
  const double pixelSize = options.pixelSize >= 16 && options.pixelSize <= 100000
                               ? options.pixelSize
                               : defaultPixelSize;
  const viewC view = fittedView(scene);
  const double longer = std::max(view.width, view.height);
  const double unitsPerPixel = longer / pixelSize;
  const double drawingWidth = view.width / unitsPerPixel;
  const double drawingHeight = view.height / unitsPerPixel;

  const bool hasLegend = !scene.styles.empty() || !options.title.empty();
  const double width = std::ceil(hasLegend ? std::max(drawingWidth, narrowestLegend) : drawingWidth);
  const svg::legendC legend(scene.styles, options.title, width);
  const double drawingArea = std::ceil(drawingHeight);
  const double height = drawingArea + legend.height();

  std::string out;
  out.reserve(2048 + scene.elements.size() * 96 + scene.groups.size() * 64 + scene.styles.size() * 160);
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
  appendFixedAttribute(out, "x", (width - drawingWidth) / 2);
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
  appendGroups(out, scene);
  out += "</g>\n</svg>\n";
  legend.append(out, drawingArea);
  out += "</svg>\n";
  return out;
}

}  // namespace lorvane::preview
