#pragma once
// Meta trees built by program: the one way the tests, the benchmarks and the
// fuzzers make nodes and hang them into a tree.
#include <cstdint>
#include <string_view>

#include "lorvane/metatree/metaTree.h"

namespace lorvane::drawings {

metaTreeC* numberNode(double value);
metaTreeC* stringNode(std::string_view text);
metaTreeC* integerNode(std::int32_t value);

// Appends children to one parent behind a remembered last child, so that
// building a record of a million items costs no walk to its end.
class treeAppenderC {
public:
  explicit treeAppenderC(metaTreeC* parent) : parent_(parent), last_(metaTreeC::lastChild(parent)) {}

  metaTreeC* parent() const { return parent_; }
  metaTreeC* add(metaTreeC* node);
  metaTreeC* key(std::string_view name) { return add(metaTreeC::createKeyNode(name)); }
  metaTreeC* number(double value) { return add(numberNode(value)); }
  metaTreeC* text(std::string_view value) { return add(stringNode(value)); }
  metaTreeC* integer(std::int32_t value) { return add(integerNode(value)); }
  // A "POINT" key with the two numbers x and y.
  metaTreeC* point(double x, double y);
  // A key holding one number, or one text.
  metaTreeC* numberMember(std::string_view name, double value);
  metaTreeC* textMember(std::string_view name, std::string_view value);

private:
  metaTreeC* parent_;
  metaTreeC* last_;
};

// One node added behind the last child of parent, for the small trees of the
// tests.
inline metaTreeC* addKey(metaTreeC* parent, std::string_view key) { return treeAppenderC(parent).key(key); }
inline metaTreeC* addNumberNode(metaTreeC* parent, double value) { return treeAppenderC(parent).number(value); }
inline metaTreeC* addStringNode(metaTreeC* parent, std::string_view text) { return treeAppenderC(parent).text(text); }
inline metaTreeC* addPoint(metaTreeC* parent, double x, double y) { return treeAppenderC(parent).point(x, y); }
inline metaTreeC* addNumber(metaTreeC* parent, std::string_view key, double value) {
  return treeAppenderC(parent).numberMember(key, value);
}

}  // namespace lorvane::drawings
