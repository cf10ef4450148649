#pragma once
// Reading a written SVG document back for the writer's tests: the XML tree,
// numbers of attributes, path data, transforms and the style sheet's rules.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace lorvane::preview::testing {

// Parses the document; failure() describes a parse error, empty when none.
class svgTestDocumentC {
 public:
  explicit svgTestDocumentC(const std::string& text);

  const std::string& failure() const { return failure_; }
  pugi::xml_node root() const { return document_.child("svg"); }
  // The nested drawing viewport and the flip group in it.
  pugi::xml_node drawing() const;
  pugi::xml_node flip() const;
  // Every element of the tag name anywhere below the flip group, in
  // document order.
  std::vector<pugi::xml_node> drawn(const char* tag) const;
  // The properties of the style sheet rule whose selector is exactly the
  // given one (".s0", "text.s0").
  std::map<std::string, std::string> rule(std::string_view selector) const;

 private:
  pugi::xml_document document_;
  std::string failure_;
};

// The attribute as a number; NaN when it is missing or not a number alone.
double number(pugi::xml_node node, const char* attribute);

// The numbers of a list separated by blanks and commas; parsing stops at
// anything else.
std::vector<double> numbers(std::string_view text);

struct pathCommandC {
  char command = 0;
  std::vector<double> arguments;
};

// Path data as commands with their numbers (letters and numbers separated
// by blanks or commas).
std::vector<pathCommandC> pathCommands(std::string_view data);

// Path data drawn out: each subpath with its start and its segments in
// absolute coordinates (relative commands added up, h and v as lines).
struct pathPointC {
  double x = 0;
  double y = 0;
};

struct pathSegmentC {
  char kind = 'l';  // 'l' line, 'a' arc
  pathPointC from;
  pathPointC to;
  double radius = 0;  // arc; both radii equal, no rotation
  bool large = false;
  bool sweep = false;
};

struct subpathC {
  pathPointC start;
  std::vector<pathSegmentC> segments;
  bool closed = false;
};

// Fails the current test on a command it does not know.
std::vector<subpathC> subpaths(std::string_view data);

struct transformC {
  std::string name;
  std::vector<double> arguments;
};

std::vector<transformC> transforms(std::string_view text);

}  // namespace lorvane::preview::testing
