#include "lorvane/metatree/metaTextWriter.h"

#include <vector>

#include "lorvane/metatree/metaCustomCopy.h"
#include "lorvane/metatree/metaTextNumber.h"
#include "metaTextStoredClasses.h"

namespace lorvane {
namespace {

using metaText::storedClassesC;

// What a sink is handed at a time: enough that each hand-over costs little
// against the formatting, small enough to stay in the cache.
constexpr std::size_t kPieceBytes = std::size_t{64} << 10;

void writeIndent(std::string& out, std::size_t depth) { out.append(depth, '\t'); }

// The reader resolves these escapes; everything else goes out as it is.
void writeString(std::string& out, std::string_view text) {
  out.push_back('"');
  std::size_t from = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    char escaped;
    switch (c) {
      case '\t': escaped = 't'; break;
      case '\n': escaped = 'n'; break;
      case '\r': escaped = 'r'; break;
      case '"':
      case '\\': escaped = c; break;
      default: continue;
    }
    out.append(text, from, at - from);
    out.push_back('\\');
    out.push_back(escaped);
    from = at + 1;
  }
  out.append(text, from);
  out.push_back('"');
}

void writeValue(std::string& out, const metaValueC& value, textNumberForm numbers) {
  switch (value.kind()) {
    case metaValueKind::key: out.append(value.text().view()); break;
    case metaValueKind::string: writeString(out, value.text().view()); break;
    case metaValueKind::number: {
      char digits[kTextNumberMaxChars];
      out.append(digits, numbers == textNumberForm::exact ? formatExactTextNumber(value.number(), digits)
                                                          : formatTextNumber(value.number(), digits));
      break;
    }
    default: break;  // other kinds have no text form
  }
}

// Pre-order walk; the stack holds the elements whose closing brace is due.
// With stored classes given, the walk gives up (returning false) at the
// first node of such a class, which must be written from a stored copy.
// With a sink given, the text written so far goes to it whenever it has
// grown to a piece, and what remains at the end stays in out.
bool writeChain(std::string& out, const metaTreeC* start, bool pretty, bool firstOnly, textNumberForm numbers,
                const storedClassesC* stored, textSinkC* sink = nullptr) {
  std::vector<const metaTreeC*> open;
  // At the top, firstOnly hides the siblings of the start node.
  const auto following = [&](const metaTreeC* node, std::size_t depth) -> const metaTreeC* {
    return depth == 0 && firstOnly ? nullptr : node->next();
  };
  const metaTreeC* node = start;
  bool firstOfChain = false;
  while (node) {
    if (sink && out.size() >= kPieceBytes) {
      sink->write(out);
      out.clear();
    }
    const std::size_t depth = open.size();
    if (pretty && firstOfChain) writeIndent(out, depth);
    firstOfChain = false;
    const metaValueC& value = node->value();
    if (stored && value.isKey() && stored->holds(value.text().view())) return false;
    writeValue(out, value, numbers);
    if (const metaTreeC* child = node->firstChild()) {
      out.push_back('{');
      if (pretty) out.push_back('\n');
      open.push_back(node);
      node = child;
      firstOfChain = true;
      continue;
    }
    if (const metaTreeC* next = following(node, depth)) {
      out.push_back(',');
      node = next;
      continue;
    }
    // The chain has ended: close sections until an element has a follower.
    node = nullptr;
    while (!open.empty()) {
      const metaTreeC* element = open.back();
      open.pop_back();
      const std::size_t level = open.size();
      if (pretty) {
        out.push_back('\n');
        writeIndent(out, level);
      }
      out.push_back('}');
      if (const metaTreeC* next = following(element, level)) {
        if (pretty) {
          out.push_back('\n');
          writeIndent(out, level);
        }
        node = next;
        break;
      }
    }
  }
  return true;
}

// Whether the walk of writeChain would meet a node of a stored class; a
// text that goes out as it is written cannot give up half way. The same
// pre-order walk: the stack holds the elements above the node.
bool meetsStoredClass(const metaTreeC* start, bool firstOnly, const storedClassesC& stored) {
  std::vector<const metaTreeC*> open;
  const metaTreeC* node = start;
  while (node) {
    const metaValueC& value = node->value();
    if (value.isKey() && stored.holds(value.text().view())) return true;
    if (const metaTreeC* child = node->firstChild()) {
      open.push_back(node);
      node = child;
      continue;
    }
    // Up until an element has a follower; at the top, firstOnly hides them.
    for (;;) {
      const metaTreeC* next = open.empty() && firstOnly ? nullptr : node->next();
      if (next || open.empty()) {
        node = next;
        break;
      }
      node = open.back();
      open.pop_back();
    }
  }
  return false;
}

// Writes the stored copy of node (converted by storeTreeCopy) through
// write, and lets the copy go however write ends.
template <class Write>
void writeStoredCopy(metaTreeC* node, Write&& write) {
  metaTreeC* copy = storeTreeCopy(node);
  try {
    write(copy ? copy : node);
  } catch (...) {
    metaTreeC::destroyChain(copy);
    throw;
  }
  metaTreeC::destroyChain(copy);
}

}  // namespace

void writeTree(metaTreeC* node, bool pretty, bool firstOnly, std::string& out) {
  writeTree(node, pretty, firstOnly, out, textNumberForm::fourteenDigits);
}

void writeTree(metaTreeC* node, bool pretty, bool firstOnly, std::string& out, textNumberForm numbers) {
  if (!node) return;
  // Most trees hold no object with a stored form and are written in one walk.
  const storedClassesC storedClasses;
  const std::size_t start = out.size();
  if (writeChain(out, node, pretty, firstOnly, numbers, storedClasses.any() ? &storedClasses : nullptr)) return;
  // Objects with a stored form (references) are written as that form, from a
  // converted copy; the tree itself stays as it is.
  out.resize(start);
  writeStoredCopy(node, [&](const metaTreeC* tree) { writeChain(out, tree, pretty, firstOnly, numbers, nullptr); });
}

void writeTree(metaTreeC* node, bool pretty, bool firstOnly, textNumberForm numbers, textSinkC& sink) {
  if (!node) return;
  std::string piece;
  piece.reserve(kPieceBytes + kPieceBytes / 16);
  const auto write = [&](const metaTreeC* tree) {
    writeChain(piece, tree, pretty, firstOnly, numbers, nullptr, &sink);
    if (!piece.empty()) sink.write(piece);
  };
  const storedClassesC storedClasses;
  if (storedClasses.any() && meetsStoredClass(node, firstOnly, storedClasses)) writeStoredCopy(node, write);
  else write(node);
}

std::string writeTree(metaTreeC* node, bool pretty, bool firstOnly) {
  std::string out;
  writeTree(node, pretty, firstOnly, out);
  return out;
}

}  // namespace lorvane
