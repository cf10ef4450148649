#include "lorvane/writers/me10/me10Part.h"

#include <algorithm>

#include "spareRoom.h"

namespace lorvane {

std::int32_t ME10Part::addPoint(double x, double y) {
  settlePoints();
  bool added = false;
  return pointIndex_.findOrAdd({x, y}, added);
}

std::int32_t ME10Part::addLine(const ME10Point& p1, const ME10Point& p2) {
  queuePoints({p1, p2});
  elements_.push_back({currentSet(), ME10Element::kNoPoint, kPendingPoint, kPendingPoint});
  return static_cast<std::int32_t>(elements_.size() - 1);
}

std::int32_t ME10Part::addArc(const ME10Point& centre, const ME10Point& a, const ME10Point& b) {
  queuePoints({centre, a, b});
  elements_.push_back({currentSet(), kPendingPoint, kPendingPoint, kPendingPoint});
  return static_cast<std::int32_t>(elements_.size() - 1);
}

std::int32_t ME10Part::addCircle(const ME10Point& centre, double radius) {
  queuePoints({centre, {centre.x + radius, centre.y}});
  elements_.push_back({currentSet(), kPendingPoint, kPendingPoint, ME10Element::kNoPoint});
  return static_cast<std::int32_t>(elements_.size() - 1);
}

void ME10Part::queuePoints(std::initializer_list<ME10Point> points) {
  if (pendingPoints_.size() + points.size() > kPointBatch) settlePoints();
  if (pendingPoints_.capacity() < kPointBatch) pendingPoints_.reserve(kPointBatch);
  pendingPoints_.insert(pendingPoints_.end(), points);
}

void ME10Part::settlePoints() const {
  if (pendingPoints_.empty()) return;
  std::array<std::int32_t, kPointBatch> indices;
  pointIndex_.findOrAddEach(pendingPoints_.data(), pendingPoints_.size(), indices.data());
  // Each waiting element takes the next indices for the points it has, in
  // the order it queued them: centre, first, second.
  std::size_t next = 0;
  for (std::size_t e = firstPendingElement_; e < elements_.size(); ++e) {
    ME10Element& element = elements_[e];
    for (std::int32_t* point : {&element.centre, &element.first, &element.second}) {
      if (*point != ME10Element::kNoPoint) *point = indices[next++];
    }
  }
  pendingPoints_.clear();
  firstPendingElement_ = elements_.size();
}

std::int32_t ME10Part::addText(std::string text, const ME10Point& position, double height, double angle,
                               std::int32_t relativePosition) {
  texts_.push_back({currentSet(), std::move(text), position.x, position.y, height, angle, relativePosition});
  return static_cast<std::int32_t>(texts_.size() - 1);
}

std::int32_t ME10Part::currentSet() {
  if (currentSet_ != kUnsettled) return currentSet_;
  const auto [at, added] = setLookup_.try_emplace(current_, static_cast<std::int32_t>(attributeSets_.size()));
  if (added) attributeSets_.push_back(current_);
  currentSet_ = at->second;
  return currentSet_;
}

void ME10Part::follow(ME10Part& previous) {
  previous.settlePoints();
  elements_.reserve(roomAhead(previous.elements_.size()));
  previous.pointIndex_.handOverLookup(pointIndex_, roomAhead(previous.pointIndex_.size()));
  previous.complete();
}

void ME10Part::complete() {
  settlePoints();
  pointIndex_.releaseLookup();
  std::vector<ME10Point>().swap(pendingPoints_);
  // The arrays grew by doubling, or were made room for ahead; what a
  // complete part keeps is about its own.
  giveBackSpareRoom(elements_);
  giveBackSpareRoom(texts_);
}

void ME10Part::setName(std::string_view text, std::int32_t number) {
  name_.assign(text);
  number_ = number;
  std::replace(name_.begin(), name_.end(), '~', '_');
  // The back-quote and tilde set the part number apart from the name, which
  // after the replacement holds no tilde of its own.
  name_ += "`~";
  name_ += std::to_string(number);
}

std::int32_t ME10Part::assignNumbers(std::int32_t start) {
  settlePoints();
  const auto pointCount = static_cast<std::int64_t>(pointIndex_.size());
  const auto elementCount = static_cast<std::int64_t>(elements_.size());
  const auto textCount = static_cast<std::int64_t>(texts_.size());
  firstPoint_ = start;
  firstElement_ = addNumbers(start, pointCount);
  firstText_ = addNumbers(firstElement_, elementCount);
  last_ = addNumbers(firstText_, textCount - 1);
  if (pointCount == 0) firstPoint_ = -1;
  if (elementCount == 0) firstElement_ = -1;
  if (textCount == 0) firstText_ = -1;
  return last_;
}

}  // namespace lorvane
