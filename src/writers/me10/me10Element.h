#pragma once
#include <cstdint>
#include <string>
#include <utility>

namespace lorvane {

// The drawing attributes every element carries, copied from its part when it
// is added: the layer (an index into the model's layer list), the formatted
// width and colour, and the ME10 line type code.
struct ME10Attributes {
  std::int32_t layerIndex = -1;
  std::string width;
  std::string colour;
  std::int32_t lineType = 0;
};

// Base of the elements a part holds. The kind tells which subclass an element
// is; the MI file is written by kind.
class ME10Element {
public:
  enum : std::int32_t { kLine = 0, kArc = 1, kCircle = 2, kText = 3 };

  virtual ~ME10Element() = default;
  ME10Element(const ME10Element&) = delete;
  ME10Element& operator=(const ME10Element&) = delete;

  std::int32_t kind;
  std::int32_t layerIndex;
  std::string width;
  std::string colour;
  std::int32_t lineType;

protected:
  ME10Element(std::int32_t elementKind, const ME10Attributes& attributes)
      : kind(elementKind),
        layerIndex(attributes.layerIndex),
        width(attributes.width),
        colour(attributes.colour),
        lineType(attributes.lineType) {}
};

// Point indices below are 0-based into the part's points.

class ME10Line final : public ME10Element {
public:
  ME10Line(const ME10Attributes& attributes, std::int32_t p1, std::int32_t p2)
      : ME10Element(kLine, attributes), first(p1), second(p2) {}
  std::int32_t first;
  std::int32_t second;
};

// Runs counter-clockwise from the first point to the second.
class ME10Arc final : public ME10Element {
public:
  ME10Arc(const ME10Attributes& attributes, std::int32_t centrePoint, std::int32_t p1, std::int32_t p2)
      : ME10Element(kArc, attributes), centre(centrePoint), first(p1), second(p2) {}
  std::int32_t centre;
  std::int32_t first;
  std::int32_t second;
};

// The rim point lies at (radius, 0) from the centre.
class ME10Circle final : public ME10Element {
public:
  ME10Circle(const ME10Attributes& attributes, std::int32_t centrePoint, std::int32_t rimPoint)
      : ME10Element(kCircle, attributes), centre(centrePoint), rim(rimPoint) {}
  std::int32_t centre;
  std::int32_t rim;
};

// A text keeps its own position; it registers no point.
class ME10Text final : public ME10Element {
public:
  ME10Text(const ME10Attributes& attributes, std::string content, double px, double py, double textHeight,
           double degrees, std::int32_t relative)
      : ME10Element(kText, attributes),
        text(std::move(content)),
        x(px),
        y(py),
        height(textHeight),
        angle(degrees),
        relativePosition(relative) {}
  std::string text;
  double x;
  double y;
  double height;
  double angle;  // degrees
  std::int32_t relativePosition;
};

}  // namespace lorvane
