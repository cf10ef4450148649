#include "lorvane/preview/svgPath.h"

#include <cstdlib>

#include "lorvane/preview/svgGeometry.h"

namespace lorvane::preview::svg {

// Points one grid step apart are the same point drawn: the writers compute
// an arc's ends from its angles, so they may land on the neighbouring step
// of a line's end.
bool pathDataC::atPen(const stepPointC& point) const {
  return inSubpath_ && std::llabs(point.x - pen_.x) <= 1 && std::llabs(point.y - pen_.y) <= 1;
}

void pathDataC::clear() {
  data_.clear();
  inSubpath_ = false;
  subpathDrawn_ = false;
  subpaths_ = 0;
}

void pathDataC::appendPair(std::int64_t x, std::int64_t y) {
  grid_.append(data_, x);
  // A minus sign separates numbers by itself.
  if (y >= 0) data_ += ' ';
  grid_.append(data_, y);
}

void pathDataC::moveTo(const stepPointC& point) {
  if (data_.empty()) {
    data_ += 'M';
    appendPair(point.x, point.y);
  } else {
    data_ += 'm';
    appendPair(point.x - pen_.x, point.y - pen_.y);
  }
  pen_ = point;
  subpathStart_ = point;
  inSubpath_ = true;
  subpathDrawn_ = false;
  ++subpaths_;
}

void pathDataC::lineTo(const stepPointC& point) {
  const std::int64_t dx = point.x - pen_.x;
  const std::int64_t dy = point.y - pen_.y;
  if (dy == 0 && dx != 0) {
    data_ += 'h';
    grid_.append(data_, dx);
  } else if (dx == 0 && dy != 0) {
    data_ += 'v';
    grid_.append(data_, dy);
  } else {
    data_ += 'l';
    appendPair(dx, dy);
  }
  pen_ = point;
  subpathDrawn_ = true;
}

// The drawing space has y up, where the sweep flag 1 (the positive angle
// direction) is counter-clockwise.
void pathDataC::arcTo(std::int64_t radius, bool large, bool counterClockwise, const stepPointC& point) {
  data_ += 'a';
  grid_.append(data_, radius);
  data_ += ' ';
  grid_.append(data_, radius);
  data_ += large ? " 0 1 " : " 0 0 ";
  data_ += counterClockwise ? "1 " : "0 ";
  // appendPair would write a blank before a positive x anyway.
  data_.pop_back();
  if (point.x - pen_.x >= 0) data_ += ' ';
  appendPair(point.x - pen_.x, point.y - pen_.y);
  pen_ = point;
  subpathDrawn_ = true;
}

// An arc command between equal points draws nothing: a full turn goes in
// two halves through the point opposite the pen.
void pathDataC::halfTurns(std::int64_t radius, const stepPointC& centre, bool counterClockwise) {
  const stepPointC start = pen_;
  const stepPointC opposite{2 * centre.x - start.x, 2 * centre.y - start.y};
  arcTo(radius, false, counterClockwise, opposite);
  arcTo(radius, false, counterClockwise, start);
}

void pathDataC::closeIfBack() {
  if (pen_ == subpathStart_ && subpathDrawn_) {
    data_ += 'z';
    // The pen stays at the start, where the next element may go on.
    subpathDrawn_ = false;
  }
}

void pathDataC::add(const elementC& element) {
  if (element.kind == elementKind::circle) {
    const stepPointC centre = onGrid(element.centre);
    const std::int64_t radius = grid_.steps(element.radius);
    const stepPointC rim{centre.x + radius, centre.y};
    if (!atPen(rim)) moveTo(rim);
    halfTurns(radius, centre, true);
    closeIfBack();
    return;
  }
  const stepPointC from = onGrid(element.a);
  const stepPointC to = onGrid(element.b);
  bool forward = true;
  if (!atPen(from)) {
    if (atPen(to)) {
      forward = false;
    } else {
      moveTo(from);
    }
  }
  const stepPointC end = forward ? to : from;
  if (element.kind == elementKind::line) {
    lineTo(end);
  } else {
    const double sweep = arcSweep(element);
    const std::int64_t radius = grid_.steps(element.radius);
    if (sweep >= 360.0 || (from == to && sweep > 180.0)) {
      halfTurns(radius, onGrid(element.centre), forward);
    } else {
      arcTo(radius, sweep > 180.0, forward, end);
    }
  }
  closeIfBack();
}

}  // namespace lorvane::preview::svg
