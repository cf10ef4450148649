#include "lorvane/metatree/metaTextReader.h"

#include <cstdint>
#include <vector>

#include "lorvane/metatree/metaCustomCopy.h"
#include "metaTextDecimal.h"
#include "metaTextKeys.h"
#include "lorvane/metatree/metaTextNumber.h"
#include "metaTextStoredClasses.h"
#include "metaTextTokenizer.h"
#include "nodeFactory.h"

namespace lorvane {
namespace {

using metaText::tokenC;
using metaText::tokenKind;

// \n, \r and \t are control characters; any other escaped character stands
// for itself; a backslash with nothing after it is dropped.
std::string_view resolveEscapes(std::string_view text, std::string& out) {
  out.clear();
  std::size_t from = 0;
  for (std::size_t at = text.find('\\'); at != std::string_view::npos; at = text.find('\\', from)) {
    out.append(text, from, at - from);
    if (at + 1 == text.size()) return out;
    const char escaped = text[at + 1];
    out.push_back(escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped);
    from = at + 2;
  }
  out.append(text, from);
  return out;
}

// A node made whole before it is linked, so a failure leaves the tree intact.
template <class SetValue>
metaTreeC* makeNode(nodeFactoryC& nodes, long long line, SetValue setValue) {
  metaTreeC* node = nodes.newNode();
  try {
    setValue(node->value());
  } catch (...) {
    delete node;
    throw;
  }
  node->value().setTag(static_cast<std::int32_t>(line), 0);
  return node;
}

// One open level: the element whose section is being read (null at the top)
// and the last node read into it so far. Remembering the last node keeps
// appending constant-time however many siblings there are.
struct levelC {
  metaTreeC* parent;
  metaTreeC* last;
};

// Owns the chain read so far until it is handed out.
struct chainGuardC {
  metaTreeC* first = nullptr;
  ~chainGuardC() { metaTreeC::destroyChain(first); }
  metaTreeC* release() {
    metaTreeC* chain = first;
    first = nullptr;
    return chain;
  }
};

}  // namespace

metaObjectC metaTextReaderC::readTree(std::string_view text, bool owns) {
  metaText::tokenizerC tokens(text);
  return readAll(tokens, owns, text.size());
}

metaObjectC metaTextReaderC::readTree(readFunctionT read, void* context, bool owns, std::uint64_t totalBytes) {
  metaText::tokenizerC tokens(read, context, bufferSize_);
  return readAll(tokens, owns, totalBytes);
}

metaObjectC metaTextReaderC::readAll(metaText::tokenizerC& tokens, bool owns, std::uint64_t totalBytes) {
  error_.clear();
  line_ = 1;
  bool holdsStoredObjects = false;
  metaTreeC* chain = readChain(tokens, totalBytes, holdsStoredObjects);
  // Whatever was made of a text cut short by a read error is no answer.
  if (tokens.sourceFailed()) {
    metaTreeC::destroyChain(chain);
    fail("read fail");
    return metaObjectC(nullptr, owns);
  }
  if (chain && holdsStoredObjects) {
    try {
      restoreTree(chain);
    } catch (...) {
      metaTreeC::destroyChain(chain);
      throw;
    }
  }
  return metaObjectC(chain, owns);
}

void metaTextReaderC::fail(std::string_view message, std::string_view detail) {
  error_ = "Line:";
  error_ += std::to_string(line_);
  error_ += " - ";
  error_ += message;
  error_ += detail;
}

metaTreeC* metaTextReaderC::readChain(metaText::tokenizerC& tokens, std::uint64_t totalBytes,
                                      bool& holdsStoredObjects) {
  const metaText::storedClassesC storedClasses;
  // Declared before the chain: the nodes let go of their keys first.
  metaText::keyTableC keys(storedClasses);
  chainGuardC chain;
  nodeFactoryC nodes;
  // Level 0 is the top chain; levels 1 .. kMaxSectionDepth are open sections.
  std::vector<levelC> levels(static_cast<std::size_t>(kMaxSectionDepth) + 1, levelC{nullptr, nullptr});
  levelC* level = levels.data();
  levelC* const top = level;
  levelC* const deepest = top + kMaxSectionDepth;
  std::string unescaped;
  // A report every so many tokens costs nothing against reading them.
  constexpr std::uint32_t kTokensPerReport = 1u << 16;
  const progressFunctionT progress = totalBytes > 0 ? progress_ : nullptr;
  // Counted for the token just read, so the loop's first round counts none.
  std::uint32_t untilReport = kTokensPerReport + 1;
  const auto countToken = [&] {
    if (progress && --untilReport == 0) {
      untilReport = kTokensPerReport;
      nodes.giveBack();
      progress(static_cast<double>(tokens.consumed()) / static_cast<double>(totalBytes), progressContext_);
    }
  };

  // The nodes of a section are linked in as they come, ahead of the
  // children their element already has: A{x}{y} gives A the children y, x.
  const auto append = [&](metaTreeC* node) {
    if (level->last) metaTreeC::insertOneAfter(node, level->last);
    else if (level->parent) metaTreeC::prependOneChild(node, level->parent);
    else chain.first = node;
    level->last = node;
  };

  for (;;) {
    countToken();
    const metaText::charClass next = tokens.skipToToken();
    line_ = tokens.line();
    metaTreeC* node = nullptr;
    switch (next) {
      case metaText::charClass::number:
        for (;;) {
          double number = 0.0;
          if (!tokens.readShortDecimal(number)) {
            const std::string_view word = tokens.readWord();
            if (!metaText::parseShortDecimal(word, number) && !parseTextNumber(word, number)) {
              fail("value invalid :", word);
              return nullptr;
            }
          }
          node = nodes.newNumberNode(number, static_cast<std::int32_t>(line_));
          // Numbers in a row parted by a comma alone are read here, without
          // a round of the loop each.
          if (!tokens.nextIsCommaAndNumber()) break;
          append(node);
          countToken();
          tokens.skipByte();
        }
        break;
      case metaText::charClass::word: {
        const std::string_view word = tokens.readWord();
        bool stored = false;
        sharedStrC* const key = keys.intern(word, stored, tokens.readable(word, 8));
        node = nodes.newKeyNode(key, static_cast<std::int32_t>(line_));
        holdsStoredObjects |= stored;
        break;
      }
      case metaText::charClass::quote: {
        const tokenC token = tokens.readString();
        if (token.kind == tokenKind::unterminatedString) {
          fail("ill char in string");
          return nullptr;
        }
        const std::string_view content =
            raw_ || !token.hasBackslash ? token.text : resolveEscapes(token.text, unescaped);
        node = makeNode(nodes, line_, [&](metaValueC& v) { v.setString(content); });
        break;
      }
      case metaText::charClass::open: {
        tokens.skipByte();
        metaTreeC* owner = level->last;
        if (!owner) {
          fail("section without key found");
          return nullptr;
        }
        if (level == deepest) {
          fail("section nesting too deep");
          return nullptr;
        }
        *++level = levelC{owner, nullptr};
        continue;
      }
      case metaText::charClass::close:
        tokens.skipByte();
        if (level == top) {
          fail("section count wrong");
          return nullptr;
        }
        --level;
        continue;
      case metaText::charClass::end:
        // The input's end, or an end byte, which is stepped over.
        if (!tokens.atEnd()) tokens.skipByte();
        countToken();
        if (level != top) {
          fail("section count wrong");
          return nullptr;
        }
        // An end byte before the real end leaves input unread.
        if (!tokens.atEnd()) {
          fail("eof fail");
          return nullptr;
        }
        return chain.release();
      default: fail("ill seperator char"); return nullptr;
    }

    append(node);
    // Most elements open their section right after their word, and most
    // values close theirs right after them: those braces are taken here,
    // without a round of the loop each.
    if (tokens.nextIs('{')) {
      if (level == deepest) continue;  // the loop's round reports it
      countToken();
      tokens.skipByte();
      *++level = levelC{node, nullptr};
    } else {
      while (tokens.nextIs('}') && level != top) {
        countToken();
        tokens.skipByte();
        --level;
      }
    }
  }
}

}  // namespace lorvane
