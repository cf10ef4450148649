#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "lorvane/writers/me10/me10Element.h"
#include "lorvane/writers/me10/me10Point.h"
#include "lorvane/writers/me10/pointGridIndex.h"

namespace lorvane {

class ME10Model;

// One part of the model, made from one figure: its own shared points, its
// lines, arcs and circles, its texts, and the attributes that the next
// element added takes over.
class ME10Part {
public:
  explicit ME10Part(ME10Model* owner) : owner_(owner) {}
  ME10Part(const ME10Part&) = delete;
  ME10Part& operator=(const ME10Part&) = delete;

  // The index of the first stored point that coincides with (x, y); a point
  // that matches none is appended.
  std::int32_t addPoint(double x, double y);

  // Each returns the new element's index in its list.
  std::int32_t addLine(const ME10Point& p1, const ME10Point& p2);
  // Counter-clockwise from a to b about the centre.
  std::int32_t addArc(const ME10Point& centre, const ME10Point& a, const ME10Point& b);
  std::int32_t addCircle(const ME10Point& centre, double radius);
  std::int32_t addText(std::string text, const ME10Point& position, double height, double angle,
                       std::int32_t relativePosition);

  // The name with every '~' made '_', followed by "`~" and the number.
  void setName(std::string_view text, std::int32_t number);
  // The number given with the name: the figure's 1-based position.
  std::int32_t number() const { return number_; }
  void setPosition(double x, double y) { position_ = {x, y}; }
  void setAttributes(const ME10Attributes& attributes) {
    current_ = attributes;
    currentSet_ = kUnsettled;
  }

  // Numbers the points, elements and texts in that order from start and
  // returns the last number used (start - 1 for an empty part). A range
  // without members keeps -1 as its first number.
  std::int32_t assignNumbers(std::int32_t start);

  // Frees what only adding needs; adding again afterwards still works.
  void complete();
  // Makes this new part follow the previous one, which is then complete.
  // The figures of one drawing are much alike: the part makes room for as
  // many points and elements as the previous one holds (more still fit,
  // fewer give the rest back on completion) and takes over its point
  // look-up table when that has the size it needs.
  void follow(ME10Part& previous);

  bool isEmpty() const { return pointIndex_.size() == 0 && elements_.empty() && texts_.empty(); }

  ME10Model* owner() const { return owner_; }
  const std::string& name() const { return name_; }
  const ME10Point& position() const { return position_; }
  // Written after the position; nothing sets them.
  const std::array<double, 2>& furtherValues() const { return further_; }
  const ME10Attributes& currentAttributes() const { return current_; }
  const bigArrayT<ME10Point>& points() const {
    settlePoints();
    return pointIndex_.points();
  }
  const bigArrayT<ME10Element>& elements() const {
    settlePoints();
    return elements_;
  }
  const bigArrayT<ME10Text>& texts() const { return texts_; }
  // The attributes an element or text took when it was added.
  const ME10Attributes& attributes(std::int32_t set) const { return attributeSets_[static_cast<std::size_t>(set)]; }
  const std::vector<ME10Attributes>& attributeSets() const { return attributeSets_; }

  std::int32_t firstPointNumber() const { return firstPoint_; }
  std::int32_t firstElementNumber() const { return firstElement_; }
  std::int32_t firstTextNumber() const { return firstText_; }
  std::int32_t lastNumber() const { return last_; }

private:
  static constexpr std::int32_t kUnsettled = -1;

  // The points of a batch: enough look-ups that their waits for memory
  // overlap, few enough to stay in the cache.
  static constexpr std::size_t kPointBatch = 240;
  // Stands for a point of an element that is still to be looked up.
  static constexpr std::int32_t kPendingPoint = 0;

  // The index of the current attributes among the sets, added on first use.
  std::int32_t currentSet();
  // Queues an element's points, settling the earlier ones first if the
  // batch has no room for them.
  void queuePoints(std::initializer_list<ME10Point> points);
  // Looks up the queued points in the order they came, which numbers them
  // just as looking each up on arrival would, and gives the waiting
  // elements their indices.
  void settlePoints() const;

  ME10Model* owner_;
  // Elements are added with their points pending, and the points are looked
  // up a batch at a time; reading the points or elements settles the batch
  // first, which changes nothing a reader can see.
  mutable bigArrayT<ME10Element> elements_;
  mutable pointGridIndexC pointIndex_;  // holds the points
  mutable std::vector<ME10Point> pendingPoints_;
  mutable std::size_t firstPendingElement_ = 0;
  bigArrayT<ME10Text> texts_;
  std::vector<ME10Attributes> attributeSets_;
  std::map<ME10Attributes, std::int32_t> setLookup_;  // attributes -> index in attributeSets_
  std::int32_t currentSet_ = kUnsettled;
  std::string name_;
  std::int32_t number_ = 0;
  ME10Attributes current_;
  ME10Point position_;
  std::array<double, 2> further_{0.0, 0.0};
  std::int32_t firstPoint_ = -1;
  std::int32_t firstElement_ = -1;
  std::int32_t firstText_ = -1;
  std::int32_t last_ = -1;
};

// Adds in 32 bits the way the numbers of an MI file are counted, wrapping
// instead of overflowing on counts no real drawing reaches.
inline std::int32_t addNumbers(std::int32_t a, std::int64_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace lorvane
