#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lorvane::metaText {

// Splits the text form into tokens. Tokens are views into the input, so
// reading allocates nothing per token. Internal to the reader.

enum class charClass : std::uint8_t { other, separator, lineFeed, word, open, close, quote, end };

struct charTableC {
  charClass of[256] = {};
  constexpr charTableC() {
    for (int c = 'a'; c <= 'z'; ++c) of[c] = charClass::word;
    for (int c = 'A'; c <= 'Z'; ++c) of[c] = charClass::word;
    for (int c = '0'; c <= '9'; ++c) of[c] = charClass::word;
    for (unsigned char c : {'-', '+', '.', '_', '@'}) of[c] = charClass::word;
    for (unsigned char c : {'\t', '\r', ' ', ','}) of[c] = charClass::separator;
    of[static_cast<unsigned char>('\n')] = charClass::lineFeed;
    of[static_cast<unsigned char>('{')] = charClass::open;
    of[static_cast<unsigned char>('}')] = charClass::close;
    of[static_cast<unsigned char>('"')] = charClass::quote;
    // Streams of the host's 8-bit code page report their end as this byte.
    of[0xFF] = charClass::end;
  }
};
inline constexpr charTableC kCharTable{};

enum class tokenKind : std::uint8_t { end, word, string, open, close, badSeparator, unterminatedString };

struct tokenC {
  tokenKind kind = tokenKind::end;
  std::string_view text;     // a word, or the characters between a string's quotes
  bool hasBackslash = false;  // a string whose text needs its escapes resolved
};

class tokenizerC {
public:
  explicit tokenizerC(std::string_view text)
      : pos_(reinterpret_cast<const unsigned char*>(text.data())), end_(pos_ + text.size()) {}

  // Line feeds between tokens count lines; those inside strings do not.
  long long line() const { return line_; }
  // Whether all of the input has been consumed (an end byte may stop early).
  bool atEnd() const { return pos_ == end_; }
  std::size_t remaining() const { return static_cast<std::size_t>(end_ - pos_); }

  tokenC next() {
    tokenC token;
    for (;;) {
      if (pos_ == end_) return token;
      const charClass cls = kCharTable.of[*pos_];
      if (cls == charClass::separator) {
        ++pos_;
      } else if (cls == charClass::lineFeed) {
        ++pos_;
        ++line_;
      } else {
        break;
      }
    }
    switch (kCharTable.of[*pos_]) {
      case charClass::word: {
        const unsigned char* start = pos_;
        do ++pos_;
        while (pos_ != end_ && kCharTable.of[*pos_] == charClass::word);
        token.kind = tokenKind::word;
        token.text = view(start, pos_);
        return token;
      }
      case charClass::quote: return readString();
      case charClass::open: ++pos_; token.kind = tokenKind::open; return token;
      case charClass::close: ++pos_; token.kind = tokenKind::close; return token;
      case charClass::end: ++pos_; return token;
      default: token.kind = tokenKind::badSeparator; return token;
    }
  }

private:
  static std::string_view view(const unsigned char* from, const unsigned char* to) {
    return {reinterpret_cast<const char*>(from), static_cast<std::size_t>(to - from)};
  }

  // A backslash escapes whatever follows it, so a quote after an unpaired
  // backslash does not close the string.
  tokenC readString() {
    tokenC token;
    const unsigned char* start = ++pos_;
    for (;;) {
      if (pos_ == end_ || *pos_ == 0xFF) {
        token.kind = tokenKind::unterminatedString;
        return token;
      }
      const unsigned char c = *pos_;
      if (c == '"') break;
      if (c == '\\') {
        token.hasBackslash = true;
        ++pos_;
        if (pos_ == end_ || *pos_ == 0xFF) continue;
      }
      ++pos_;
    }
    token.kind = tokenKind::string;
    token.text = view(start, pos_);
    ++pos_;
    return token;
  }

  const unsigned char* pos_;
  const unsigned char* end_;
  long long line_ = 1;
};

}  // namespace lorvane::metaText
