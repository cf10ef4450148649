#include "lorvane/preview/pictureLayout.h"

#include <algorithm>
#include <cmath>

#include "figureLabels.h"
#include "lorvane/preview/svgGeometry.h"
#include "svgLegend.h"

namespace lorvane::preview {

namespace {

constexpr double defaultPixelSize = 1000;
constexpr double marginPerSize = 0.05;
// A legend below the drawing needs some room even under a narrow drawing.
constexpr double narrowestLegend = 320;

viewC fittedView(svg::boxC box) {
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

std::string leftOutNote(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " figure label" : " figure labels") + " left out (no free room)";
}

}  // namespace

pictureLayoutC layOutPicture(const sceneC& scene, const svgOptionsC& options) {
  pictureLayoutC layout;
  const double pixelSize = options.pixelSize >= 16 && options.pixelSize <= 100000
                               ? options.pixelSize
                               : defaultPixelSize;
  // The extent of all drawable elements, and of each group's.
  svg::boxC all;
  std::vector<svg::boxC> boxes(scene.groups.size());
  std::vector<bool> used(scene.styles.size(), false);
  for (const elementC& element : scene.elements) {
    if (!svg::isDrawable(element)) continue;
    svg::boxC box;
    svg::addExtent(box, element);
    all.add(box.minX, box.minY);
    all.add(box.maxX, box.maxY);
    if (element.group < boxes.size()) {
      boxes[element.group].add(box.minX, box.minY);
      boxes[element.group].add(box.maxX, box.maxY);
    }
    if (element.style < used.size()) used[element.style] = true;
    layout.drawable = true;
  }
  layout.view = fittedView(all);
  const viewC& view = layout.view;
  const double longer = std::max(view.width, view.height);
  layout.unitsPerPixel = longer / pixelSize;
  layout.drawingWidth = view.width / layout.unitsPerPixel;
  layout.drawingHeight = view.height / layout.unitsPerPixel;
  layout.labelSize = labelPixels * layout.unitsPerPixel;
  if (options.labels) {
    layout.labels = svg::placeLabels(scene, boxes, view, layout.unitsPerPixel, layout.labelsLeftOut);
  }

  svg::legendC legend(scene.styles, used, options.title, layout.drawable ? layout.unitsPerPixel : 0);
  if (layout.labelsLeftOut > 0) legend.setNote(leftOutNote(layout.labelsLeftOut));
  const double drawingArea = std::ceil(layout.drawingHeight);
  const bool beside = !legend.empty() && layout.drawingHeight > layout.drawingWidth;
  if (beside) {
    legend.layOutBeside(drawingArea);
    layout.width = std::ceil(layout.drawingWidth) + legend.width();
    layout.height = std::max(drawingArea, legend.height());
    layout.legendLeft = std::ceil(layout.drawingWidth);
  } else {
    layout.width = std::ceil(legend.empty() ? layout.drawingWidth : std::max(layout.drawingWidth, narrowestLegend));
    legend.layOutBelow(layout.width);
    layout.height = drawingArea + legend.height();
    layout.drawingX = (layout.width - layout.drawingWidth) / 2;
    layout.legendTop = drawingArea;
  }
  layout.legend = legend.marks();
  return layout;
}

}  // namespace lorvane::preview
