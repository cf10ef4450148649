#pragma once
// The members the writers look for in each record of a drawing, as lint
// checks them: which keys, what kind of value each holds, which a shape
// cannot do without.
#include <cstddef>
#include <span>
#include <string_view>

namespace lorvane::cli::lint {

enum class memberKind {
  text,     // a string
  flag,     // a string of which only "YES" switches something on
  number,   // a number
  integer,  // a number read as a 32-bit integer
  point,    // exactly two numbers
  record,   // member keys of its own
  list,     // a keyed list: children with the item key
  items,    // FIGURITEMS: an item chain
};

struct memberSchemaC {
  std::string_view key;
  memberKind kind = memberKind::text;
  bool repeatable = false;   // POINTs of lines, arcs and curves
  bool required = false;     // a shape is drawn from it
  bool meta2dField = false;  // written (or drawn from) in META2D's 24-character fields
  // A list's item key and the kind of its items.
  std::string_view listItem = {};
  memberKind listItemKind = memberKind::text;
};

inline constexpr std::size_t kMaxMembers = 10;

struct recordSchemaC {
  std::string_view key;
  std::span<const memberSchemaC> members;
  bool isShape = false;  // an item of FIGURITEMS with a shape class (or SHAPEATTR)
};

// The record of that key, or null. Shape keys are those of FIGURITEMS items.
const recordSchemaC* recordSchema(std::string_view key);
const recordSchemaC* itemSchema(std::string_view key);
// Every key an item of FIGURITEMS may have, for suggestions.
std::span<const std::string_view> itemKeys();

// The settings lists hold this many entries the MI writer uses.
inline constexpr std::size_t kUsedSettingsEntries = 8;

}  // namespace lorvane::cli::lint
