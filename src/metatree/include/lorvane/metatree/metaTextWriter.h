#pragma once
#include <string>
#include <string_view>

#include "lorvane/metatree/metaTree.h"

namespace lorvane {

// Writes the text form of a node with its subtree, and of every sibling that
// follows it unless firstOnly is set. Pretty output puts sections on lines of
// their own, indented with one tab per level; compact output has no line
// breaks at all. References are written as the position numbers of their
// targets, so the text reads back into an equal tree with equal references.
LORVANE_RUNTIME_API std::string writeTree(metaTreeC* node, bool pretty, bool firstOnly);

// The same, appended to the caller's text (whose buffer is reused).
LORVANE_RUNTIME_API void writeTree(metaTreeC* node, bool pretty, bool firstOnly, std::string& out);

// How numbers are written: with the text form's 14 significant digits, or
// with as many as each needs to read back as the same double.
enum class textNumberForm { fourteenDigits, exact };
LORVANE_RUNTIME_API void writeTree(metaTreeC* node, bool pretty, bool firstOnly, std::string& out,
                                   textNumberForm numbers);

// Takes the text piece by piece as it is written.
class textSinkC {
public:
  virtual void write(std::string_view piece) = 0;

protected:
  ~textSinkC() = default;
};

// The same text handed to the sink in pieces of some ten kilobytes, so that
// writing a tree of any size holds one piece of its text, not all of it.
LORVANE_RUNTIME_API void writeTree(metaTreeC* node, bool pretty, bool firstOnly, textNumberForm numbers,
                                   textSinkC& sink);

}  // namespace lorvane
