#pragma once
// A drawing as the preview and the consistency check see it: flat lists of
// placed lines, arcs, circles and texts, each in a group (a figure or part)
// and with the style its file gives it. Every coordinate is in drawing units
// with y up.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lorvane/preview/elementText.h"

namespace lorvane::preview {

enum class elementKind : std::uint8_t { line, arc, circle, text };

enum class styleFamily { mi, meta2d };

// How a file draws an element. colour and lineType are -1 where the file
// has none (META2D); width is 0 where it has none. A META2D style is the
// line kind of its records 900 and 901 in force and the figure's cut-out
// bracket.
struct styleC {
  std::string layer;   // an MI layer name, or a META2D cut-out kind ("visible", "cut-out hidden", "cut-out dash")
  int colour = -1;     // MI colour number
  int lineType = -1;   // MI line type code (0 solid)
  double width = 0;    // MI width number
  bool dashed = false; // MI line type other than 0, META2D inside a cut-out bracket
  styleFamily family = styleFamily::mi;
  int shapeType = -1;   // META2D: the type of the record 900 in force, -1 before the figure's first
  int shapeWidth = -1;  // META2D: the width class of the record 901 in force, -1 before the first

  bool operator==(const styleC&) const = default;
};

struct pointC {
  double x = 0;
  double y = 0;
};

// How far each value of an element may lie from the value its writer had:
// the error of each number as its file prints it, carried into the values
// computed from such numbers. All 0 for an exact source; infinite where a
// file printed a non-finite number.
struct valueErrorsC {
  pointC a;  // of each coordinate
  pointC b;
  pointC centre;
  double radius = 0;
  double height = 0;
  double angle = 0;  // a text's direction, degrees
};

// Many millions of these stand in a scene at once: the members are ordered
// so that no padding lies between them, and the small ones are small types.
struct elementC {
  // line: from a to b. arc: counter-clockwise from a to b about centre.
  // circle: centre and radius. text: its point is a.
  pointC a;
  pointC b;
  pointC centre;
  double radius = 0;
  double startAngle = 0;  // arc, degrees
  double endAngle = 0;    // arc, degrees, greater than startAngle
  double height = 0;      // text
  double angle = 0;       // text, degrees counter-clockwise
  valueErrorsC error;
  elementTextC text;           // text lines joined by line feeds
  std::size_t sourceLine = 0;  // 1-based line of the file where the element starts (0: none)
  std::uint32_t group = 0;     // index into the scene's groups
  std::uint32_t style = 0;     // index into the scene's styles
  // META2D: the attribute records (900) of the element's figure before it,
  // at most the largest value the type holds.
  std::uint32_t attributeRecords = 0;
  elementKind kind = elementKind::line;
  std::int8_t relativePosition = 0;  // MI text: 1..9 (1 bottom left, 9 top right), else 0
};

struct groupC {
  std::string name;
  std::size_t sourceLine = 0;
};

struct sceneC {
  std::vector<groupC> groups;
  std::vector<styleC> styles;
  std::vector<elementC> elements;

  // The index of an equal style, added when new.
  std::size_t styleIndex(const styleC& style);
};

}  // namespace lorvane::preview
