#include "lorvane/metatree/metaTextWriter.h"

#include <vector>

#include "lorvane/metatree/metaCustomCopy.h"
#include "lorvane/metatree/metaTextNumber.h"
#include "metaTextStoredClasses.h"

namespace lorvane {
namespace {

using metaText::storedClassesC;

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
bool writeChain(std::string& out, const metaTreeC* start, bool pretty, bool firstOnly, textNumberForm numbers,
                const storedClassesC* stored) {
  std::vector<const metaTreeC*> open;
  // At the top, firstOnly hides the siblings of the start node.
  const auto following = [&](const metaTreeC* node, std::size_t depth) -> const metaTreeC* {
    return depth == 0 && firstOnly ? nullptr : node->next();
  };
  const metaTreeC* node = start;
  bool firstOfChain = false;
  while (node) {
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
  metaTreeC* copy = storeTreeCopy(node);
  try {
    writeChain(out, copy ? copy : node, pretty, firstOnly, numbers, nullptr);
  } catch (...) {
    metaTreeC::destroyChain(copy);
    throw;
  }
  metaTreeC::destroyChain(copy);
}

std::string writeTree(metaTreeC* node, bool pretty, bool firstOnly) {
  std::string out;
  writeTree(node, pretty, firstOnly, out);
  return out;
}

}  // namespace lorvane
