#pragma once
#include <compare>
#include <cstdint>
#include <string>

namespace lorvane {

// The drawing attributes every element carries, taken from its part when it
// is added: the layer (an index into the model's layer list), the formatted
// width and colour, and the ME10 line type code.
struct ME10Attributes {
  std::int32_t layerIndex = -1;
  std::string width;
  std::string colour;
  std::int32_t lineType = 0;

  auto operator<=>(const ME10Attributes&) const = default;
};

// A line, arc or circle of a part. Parts keep their elements in one flat
// array in the order the MI file writes them, and their attributes once per
// distinct set: drawings of millions of elements then cost no allocation per
// element, and 16 bytes each. Point indices are 0-based into the part's
// points; the point an element lacks tells its kind.
struct ME10Element {
  enum : std::int32_t { kLine = 0, kArc = 1, kCircle = 2 };
  static constexpr std::int32_t kNoPoint = -1;

  std::int32_t attributes;  // the index of the part's attribute set
  // An arc runs counter-clockwise from the first point to the second. A
  // circle's rim point, at (radius, 0) from the centre, is kept as its first.
  std::int32_t centre;  // kNoPoint for a line
  std::int32_t first;
  std::int32_t second;  // kNoPoint for a circle

  std::int32_t kind() const {
    if (centre == kNoPoint) return kLine;
    return second == kNoPoint ? kCircle : kArc;
  }
  std::int32_t rim() const { return first; }
};

// A text keeps its own position; it registers no point.
struct ME10Text {
  std::int32_t attributes;  // the index of the part's attribute set
  std::string text;
  double x;
  double y;
  double height;
  double angle;  // degrees
  std::int32_t relativePosition;
};

}  // namespace lorvane
