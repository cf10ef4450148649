#pragma once
// Lines and arcs of one style as the data of one SVG path, in relative
// commands on the document's grid. An element that starts (or, drawn
// backwards, ends) where the pen stands continues the subpath, so that a
// dash pattern runs on along a chain such as the arcs of an approximated
// ellipse; any other element starts a new subpath with a move. A subpath
// that comes back to its start is closed. Each element is looked at once
// against the pen: linear in the number of elements.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lorvane/preview/scene.h"
#include "lorvane/preview/svgGrid.h"

namespace lorvane::preview::svg {

class pathDataC {
 public:
  explicit pathDataC(const gridC& grid) : grid_(grid) {}

  // Adds a drawable line, arc or circle. A circle is a closed subpath of
  // two half turns from its rightmost point.
  void add(const elementC& element);

  bool empty() const { return data_.empty(); }
  // The path data so far ("M..."), and a fresh start.
  const std::string& data() const { return data_; }
  void clear();

  std::size_t subpaths() const { return subpaths_; }

 private:
  struct stepPointC {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const stepPointC&) const = default;
  };

  stepPointC onGrid(const pointC& point) const { return {grid_.steps(point.x), grid_.steps(point.y)}; }
  bool atPen(const stepPointC& point) const;
  void moveTo(const stepPointC& point);
  void lineTo(const stepPointC& point);
  void arcTo(std::int64_t radius, bool large, bool counterClockwise, const stepPointC& point);
  void appendPair(std::int64_t x, std::int64_t y);
  void halfTurns(std::int64_t radius, const stepPointC& centre, bool counterClockwise);
  void closeIfBack();

  const gridC& grid_;
  std::string data_;
  stepPointC pen_;
  stepPointC subpathStart_;
  bool inSubpath_ = false;
  bool subpathDrawn_ = false;
  std::size_t subpaths_ = 0;
};

}  // namespace lorvane::preview::svg
