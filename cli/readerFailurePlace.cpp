#include "lorvane/cli/readerFailurePlace.h"

#include <cstdio>
#include <memory>

#include "lorvane/metatree/metaTextNumber.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::cli {
namespace {

// The reader's classes of characters outside strings.
bool isWordChar(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '+' ||
         c == '.' || c == '_' || c == '@';
}
bool isSeparator(unsigned char c) { return c == ' ' || c == '\t' || c == ','; }
// Streams of an 8-bit code page end with this byte; the reader stops there.
constexpr unsigned char kEndByte = 0xFF;

std::string shown(unsigned char c) {
  if (c > ' ' && c < 0x7F) return std::string("'") + static_cast<char>(c) + "'";
  char hex[16];
  std::snprintf(hex, sizeof hex, "byte 0x%02X", static_cast<unsigned>(c));
  return hex;
}

// What could have stood where a character no token starts with stands, with
// the mistakes such characters usually are.
std::string expectedInstead(unsigned char c) {
  switch (c) {
    case '(':
    case ')':
    case '[':
    case ']': return "'{' or '}' (sections are written in braces: KEY{...})";
    case ';': return "',' or a space (values are separated by commas or spaces)";
    case '#':
    case '/': return "a key, a value or a brace (comments are not part of the language)";
    case '\'': return "'\"' (strings are written in double quotes)";
    case '=':
    case ':': return "'{' (a key's values are written in braces: KEY{...})";
    default: return "a space, ',', '{', '}', '\"' or a word of letters, digits and - + . _ @";
  }
}

}  // namespace

void readerFailureScannerC::feed(std::string_view bytes) {
  for (const char c : bytes) {
    if (failure_.found) return;
    take(static_cast<unsigned char>(c));
  }
}

void readerFailureScannerC::take(unsigned char c) {
  if (ended_) {
    fail(endAt_, "found " + shown(kEndByte) + " before the end of the file, expected no such byte (it ends the text)");
    return;
  }
  if (inString_) {
    if (c == kEndByte) {
      fail(next_, "found " + shown(c) + " in the string opened at line " + std::to_string(stringAt_.line) +
                      ", expected '\"' to close it");
      return;
    }
    if (escaped_) {
      escaped_ = false;
    } else if (c == '\\') {
      escaped_ = true;
    } else if (c == '"') {
      inString_ = false;
      if (stringSpansLines_) {
        spanningStringAt_ = stringAt_;
        anySpanningString_ = true;
      }
    }
    if (c == '\n' || c == '\r') stringSpansLines_ = true;
  } else {
    takeOutsideString(c);
  }
  if (c == '\r' || (c == '\n' && !afterCarriageReturn_)) {
    ++next_.line;
    next_.column = 1;
    indent_ = 0;
    lineHasContent_ = false;
  } else if (c != '\n') {
    ++next_.column;
  }
  afterCarriageReturn_ = c == '\r';
}

void readerFailureScannerC::takeOutsideString(unsigned char c) {
  if (isWordChar(c)) {
    if (word_.empty()) wordAt_ = next_;
    word_ += static_cast<char>(c);
    lineHasContent_ = true;
    return;
  }
  endWord();
  if (failure_.found) return;
  if (isSeparator(c) || c == '\n' || c == '\r') {
    if (!lineHasContent_ && c != ',') ++indent_;
    return;
  }
  const bool firstOnLine = !lineHasContent_;
  lineHasContent_ = true;
  switch (c) {
    case '"':
      inString_ = true;
      stringAt_ = next_;
      stringSpansLines_ = false;
      levelHasNode_.back() = true;
      return;
    case '{':
      if (!levelHasNode_.back()) return fail(next_, "found '{', expected a key before the section it opens");
      if (open_.size() == static_cast<std::size_t>(metaTextReaderC::kMaxSectionDepth))
        return fail(next_, "found a '{' that opens a section more than " +
                               std::to_string(metaTextReaderC::kMaxSectionDepth) + " deep, expected fewer levels");
      open_.push_back({next_, indent_});
      levelHasNode_.push_back(false);
      return;
    case '}':
      if (open_.empty()) return fail(next_, "found '}', expected a '{' before it for it to close");
      // A '}' first on its line that is indented unlike the line of the '{'
      // it closes most likely belongs to an outer one.
      if (firstOnLine && indent_ != open_.back().indent && open_.back().at.line != next_.line && !misclosedKnown_) {
        misclosed_ = open_.back();
        misclosedKnown_ = true;
      }
      open_.pop_back();
      levelHasNode_.pop_back();
      return;
    case kEndByte:
      if (!open_.empty()) return failUnclosed(shown(c) + ", which ends the text");
      ended_ = true;
      endAt_ = next_;
      return;
    default: {
      fail(next_, "found " + shown(c) + ", expected " + expectedInstead(c) + spanningStringHint());
    }
  }
}

void readerFailureScannerC::endWord() {
  if (word_.empty()) return;
  const char first = word_.front();
  const bool numeric = (first >= '0' && first <= '9') || first == '.' || first == '+' || first == '-';
  double number = 0;
  if (numeric && !parseTextNumber(word_, number)) {
    constexpr std::size_t kShownChars = 40;
    const std::string shownWord = word_.size() > kShownChars ? word_.substr(0, kShownChars) + "..." : word_;
    fail(wordAt_, "found \"" + shownWord + "\", expected a number (a word that starts like one must be one)");
  }
  levelHasNode_.back() = true;
  word_.clear();
}

std::string readerFailureScannerC::spanningStringHint() const {
  if (!anySpanningString_) return {};
  return "; the string opened at line " + std::to_string(spanningStringAt_.line) + ", column " +
         std::to_string(spanningStringAt_.column) + " runs over a line end: is its closing quote missing?";
}

void readerFailureScannerC::fail(placeC at, std::string detail) {
  failure_.found = true;
  failure_.line = at.line;
  failure_.column = at.column;
  failure_.detail = std::move(detail);
}

void readerFailureScannerC::failUnclosed(const std::string& found) {
  const openBraceC& brace = misclosedKnown_ ? misclosed_ : open_.back();
  fail(brace.at, "found " + found + ", expected the '}' that closes this '{'");
}

readerFailurePlaceC readerFailureScannerC::finish() {
  if (!failure_.found) {
    if (inString_) {
      fail(stringAt_, "found the end of the file in the string opened here, expected '\"' to close it" +
                          spanningStringHint());
    } else {
      endWord();
      if (!failure_.found && !open_.empty()) failUnclosed("the end of the file");
    }
  }
  return failure_;
}

readerFailurePlaceC findReaderFailure(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return {};
  readerFailureScannerC scanner;
  constexpr std::size_t kChunk = std::size_t{1} << 16;
  const std::unique_ptr<char[]> buffer(new char[kChunk]);
  bool first = true;
  for (std::size_t got; (got = std::fread(buffer.get(), 1, kChunk, file.get())) > 0; first = false) {
    std::string_view bytes(buffer.get(), got);
    if (first && bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    scanner.feed(bytes);
  }
  if (std::ferror(file.get())) return {};
  return scanner.finish();
}

std::string locatedReaderError(const std::string& name, const std::string& path, const std::string& readerText,
                               long long readerLine) {
  const readerFailurePlaceC place = path == "-" ? readerFailurePlaceC{} : findReaderFailure(path);
  if (!place.found) return name + ":" + std::to_string(readerLine) + ": " + readerText;
  return name + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) + ": " + readerText + "; " +
         place.detail;
}

}  // namespace lorvane::cli
