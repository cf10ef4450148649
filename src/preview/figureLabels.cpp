#include "figureLabels.h"

#include <algorithm>
#include <cmath>

#include "svgFormat.h"

namespace lorvane::preview::svg {

namespace {

// Between a label and its figure's box, and the side of the cells that
// placed labels are filed by, in screen pixels.
constexpr double gapPixels = 4, cellPixels = 32;
// A label's glyphs above and below its baseline, in label heights.
constexpr double ascent = 0.95, descent = 0.25;

struct spanC {
  double left = 0;
  double bottom = 0;
  double right = 0;
  double top = 0;

  bool overlaps(const spanC& other) const {
    return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
  }
};

// The labels placed so far, filed by the cells of a coarse grid over the
// view, so that a spot is compared with its neighbours only: a sheet of a
// hundred thousand figures costs no more per label than one of ten.
class placedLabelsC {
 public:
  placedLabelsC(const viewC& view, double unitsPerPixel)
      : view_(view), cell_(cellPixels * unitsPerPixel),
        columns_(cellsAlong(view.width)), rows_(cellsAlong(view.height)), cells_(columns_ * rows_) {}

  bool free(const spanC& spot) const {
    bool clear = true;
    visitCells(spot, [&](std::size_t cell) {
      for (const std::size_t k : cells_[cell]) {
        if (spots_[k].overlaps(spot)) clear = false;
      }
    });
    return clear;
  }

  void add(const spanC& spot) {
    spots_.push_back(spot);
    visitCells(spot, [&](std::size_t cell) { cells_[cell].push_back(spots_.size() - 1); });
  }

 private:
  std::size_t cellsAlong(double length) const {
    return static_cast<std::size_t>(std::clamp(std::ceil(length / cell_), 1.0, 4096.0));
  }

  std::size_t cellOf(double offset, std::size_t count) const {
    const double index = std::floor(offset / cell_);
    return static_cast<std::size_t>(std::clamp(index, 0.0, static_cast<double>(count - 1)));
  }

  template <typename visitT>
  void visitCells(const spanC& spot, visitT visit) const {
    const std::size_t firstColumn = cellOf(spot.left - view_.x, columns_);
    const std::size_t lastColumn = cellOf(spot.right - view_.x, columns_);
    const std::size_t firstRow = cellOf(spot.bottom - view_.y, rows_);
    const std::size_t lastRow = cellOf(spot.top - view_.y, rows_);
    for (std::size_t row = firstRow; row <= lastRow; ++row) {
      for (std::size_t column = firstColumn; column <= lastColumn; ++column) visit(row * columns_ + column);
    }
  }

  viewC view_;
  double cell_;
  std::size_t columns_;
  std::size_t rows_;
  std::vector<std::vector<std::size_t>> cells_;
  std::vector<spanC> spots_;
};

bool inView(const spanC& spot, const viewC& view) {
  return spot.left >= view.x && spot.left < view.x + view.width && spot.bottom >= view.y &&
         spot.top <= view.y + view.height;
}

}  // namespace

std::string labelOf(const std::string& name) {
  std::string clean = cleanText(name);
  const std::size_t mark = clean.rfind("`~");
  if (mark != std::string::npos && mark + 2 < clean.size() &&
      clean.find_first_not_of("0123456789", mark + 2) == std::string::npos) {
    clean.erase(mark);
  }
  return clean;
}

std::vector<figureLabelC> placeLabels(const sceneC& scene, const std::vector<boxC>& boxes, const viewC& view,
                                      double unitsPerPixel, std::size_t& leftOut) {
  std::vector<figureLabelC> labels;
  leftOut = 0;
  const double size = labelPixels * unitsPerPixel;
  const double gap = gapPixels * unitsPerPixel;
  placedLabelsC placed(view, unitsPerPixel);
  for (std::size_t g = 0; g < boxes.size() && g < scene.groups.size(); ++g) {
    const boxC& box = boxes[g];
    std::string text = labelOf(scene.groups[g].name);
    if (box.empty() || text.empty()) continue;
    const double width = 0.6 * size * static_cast<double>(characterCount(text));
    const double above = box.maxY + gap;
    const double below = box.minY - gap - ascent * size;
    const double level = box.maxY - ascent * size;
    // Left end and baseline of each spot, in the order they are tried.
    const double spots[][2] = {{box.minX, above},         {box.maxX - width, above},
                               {box.minX, below},         {box.maxX - width, below},
                               {box.maxX + gap, level},   {box.minX - gap - width, level},
                               {box.minX + gap, level - gap}};
    bool found = false;
    for (const auto& spot : spots) {
      const spanC span{spot[0], spot[1] - descent * size, spot[0] + width, spot[1] + ascent * size};
      if (!inView(span, view) || !placed.free(span)) continue;
      placed.add(span);
      labels.push_back({std::move(text), spot[0], spot[1]});
      found = true;
      break;
    }
    if (!found) ++leftOut;
  }
  return labels;
}

}  // namespace lorvane::preview::svg
