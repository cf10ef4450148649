#pragma once
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "lorvane/metatree/metaTextReader.h"
#include "metaTextDecimal.h"

namespace lorvane::metaText {

// Splits the text form into tokens. Tokens are views into the window the
// text is read through, valid until the next token is asked for, so reading
// allocates nothing per token. Internal to the reader.

// A word that starts like a number (a digit, a sign or a point) must be
// one; the two kinds of word are told apart by their first byte's class.
enum class charClass : std::uint8_t {
  other, separator, lineFeed, carriageReturn, open, close, quote, end, word, number
};

inline bool isWordClass(charClass cls) { return cls >= charClass::word; }

struct charTableC {
  charClass of[256] = {};
  constexpr charTableC() {
    for (int c = 'a'; c <= 'z'; ++c) of[c] = charClass::word;
    for (int c = 'A'; c <= 'Z'; ++c) of[c] = charClass::word;
    for (int c = '0'; c <= '9'; ++c) of[c] = charClass::number;
    for (unsigned char c : {'-', '+', '.'}) of[c] = charClass::number;
    for (unsigned char c : {'_', '@'}) of[c] = charClass::word;
    for (unsigned char c : {'\t', ' ', ','}) of[c] = charClass::separator;
    of[static_cast<unsigned char>('\n')] = charClass::lineFeed;
    of[static_cast<unsigned char>('\r')] = charClass::carriageReturn;
    of[static_cast<unsigned char>('{')] = charClass::open;
    of[static_cast<unsigned char>('}')] = charClass::close;
    of[static_cast<unsigned char>('"')] = charClass::quote;
    // Streams of the host's 8-bit code page report their end as this byte.
    of[0xFF] = charClass::end;
  }
};
inline constexpr charTableC kCharTable{};

enum class tokenKind : std::uint8_t { string, unterminatedString };

// A string as readString finds it.
struct tokenC {
  tokenKind kind = tokenKind::unterminatedString;
  std::string_view text;      // the characters between the string's quotes
  bool hasBackslash = false;  // a string whose text needs its escapes resolved
};

// Where a text read piece by piece comes from (see metaTextReaderC).
using sourceFunctionT = metaTextReaderC::readFunctionT;

// The token loop is the reader's innermost loop; a call per token costs a
// tenth of reading.
#if defined(__GNUC__)
#define LORVANE_TOKEN_INLINE [[gnu::always_inline]] inline
#else
#define LORVANE_TOKEN_INLINE inline
#endif

class tokenizerC {
public:
  // Over a text that is whole in memory: the window is the text itself.
  explicit tokenizerC(std::string_view text)
      : window_(reinterpret_cast<const unsigned char*>(text.data())), pos_(window_), end_(window_ + text.size()) {}
  // Over a source, read through a window of windowBytes (at least 1) that
  // grows when one token does not fit in half of it.
  tokenizerC(sourceFunctionT source, void* context, std::size_t windowBytes);

  // Line ends between tokens count lines, those inside strings do not: a
  // line feed, a carriage return, and the pair of both as one.
  long long line() const { return line_; }
  // Whether all of the input has been consumed (an end byte may stop early).
  bool atEnd() { return pos_ == end_ && !refill(0); }
  // Bytes of the input consumed so far.
  std::uint64_t consumed() const { return windowOffset_ + static_cast<std::uint64_t>(pos_ - window_); }
  // Whether the source reported that it could not be read; the tokens then
  // end where reading stopped.
  bool sourceFailed() const { return sourceFailed_; }

  // Skips what stands between tokens and tells the class of the byte the
  // next token starts with, which is left unread; end when the input is
  // used up.
  LORVANE_TOKEN_INLINE charClass skipToToken() {
    for (;;) {
      if (pos_ == end_ && !refill(0)) return charClass::end;
      const charClass cls = kCharTable.of[*pos_];
      if (cls == charClass::separator) {
        ++pos_;
      } else if (cls == charClass::lineFeed) {
        // The line feed of a pair ends no further line; the pair may stand
        // on both sides of a refill, so the return's place is an offset.
        if (consumed() != carriageReturnEnd_) ++line_;
        ++pos_;
      } else if (cls == charClass::carriageReturn) {
        ++pos_;
        ++line_;
        carriageReturnEnd_ = consumed();
      } else {
        return cls;
      }
    }
  }

  // Steps over the one byte of a brace or an end byte that skipToToken
  // or nextIs found.
  void skipByte() { ++pos_; }
  // Whether bytes past the start of the word just read may be read.
  bool readable(std::string_view word, std::size_t bytes) const {
    return static_cast<std::size_t>(end_ - reinterpret_cast<const unsigned char*>(word.data())) >= bytes;
  }
  // Whether the next byte, in the window as it stands, is c.
  bool nextIs(unsigned char c) const { return pos_ != end_ && *pos_ == c; }
  // Whether the next two bytes, in the window as it stands, are a comma and
  // the start of a number.
  bool nextIsCommaAndNumber() const {
    return end_ - pos_ >= 2 && *pos_ == ',' && kCharTable.of[pos_[1]] == charClass::number;
  }

  // The word (of either class) skipToToken found.
  LORVANE_TOKEN_INLINE std::string_view readWord() {
    const unsigned char* start = pos_;
    for (;;) {
      ++pos_;
      if (pos_ == end_ && !refillKeeping(start)) break;
      if (!isWordClass(kCharTable.of[*pos_])) break;
    }
    return view(start, pos_);
  }

  // The number word skipToToken found, read in the same pass when it
  // is a short decimal (see parseShortDecimal, whose double it gives). False
  // leaves the word unread, for readWord and the general conversion.
  LORVANE_TOKEN_INLINE bool readShortDecimal(double& value) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
    // A short decimal is at most a sign, 15 digits and a point, and the byte
    // after it is read too; the runs of digits are read eight bytes at a
    // time. No refill is done here.
    constexpr std::ptrdiff_t kReach = 2 + 2 * kDigitRun;
    if (end_ - pos_ < kReach) return false;
    const unsigned char* p = pos_;
    const bool negative = *p == '-';
    p += negative ? 1 : 0;
    const unsigned char* const first = p;
    if (const pointDecimalC word = pointDecimal(p); word.length != 0) {
      if (isWordClass(kCharTable.of[p[word.length]])) return false;
      const double magnitude = static_cast<double>(word.digits) / kPowersOfTen[word.decimals];
      value = negative ? -magnitude : magnitude;
      pos_ = p + word.length;
      return true;
    }
    digitRunC run = digitRun(p);
    std::uint64_t digits = run.value;
    p += run.length;
    std::ptrdiff_t decimals = 0;
    const bool hasPoint = *p == '.';
    if (hasPoint && run.length < kDigitRun) {
      ++p;
      run = digitRun(p);
      digits = digits * kRunScale[run.length] + run.value;
      decimals = run.length;
      p += run.length;
      // A fraction of more than eight digits goes on in a second run: hosts
      // write 14 significant digits, so computed coordinates have them. The
      // digits may wrap here; the count below then refuses them.
      if (run.length == kDigitRun && end_ - p >= kDigitRun) {
        run = digitRun(p);
        digits = digits * kRunScale[run.length] + run.value;
        decimals += run.length;
        p += run.length;
      }
    }
    // Runs as long as a load may go on; a word that goes on is left to the
    // general conversion.
    if (run.length == kDigitRun || isWordClass(kCharTable.of[*p])) return false;
    const std::ptrdiff_t digitCount = (p - first) - (hasPoint ? 1 : 0);
    if (digitCount == 0 || digitCount > kShortDecimalDigits) return false;
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    pos_ = p;
    return true;
#else
    (void)value;
    return false;
#endif
  }

  // The string skipToToken found at its opening quote. A backslash escapes
  // whatever follows it, so a quote after an unpaired backslash does not
  // close the string.
  tokenC readString() {
    tokenC token;
    const unsigned char* start = ++pos_;
    for (;;) {
      if (pos_ == end_ && !refillKeeping(start)) {
        token.kind = tokenKind::unterminatedString;
        return token;
      }
      const unsigned char c = *pos_;
      if (c == 0xFF) {
        token.kind = tokenKind::unterminatedString;
        return token;
      }
      if (c == '"') break;
      if (c == '\\') {
        token.hasBackslash = true;
        ++pos_;
        if (pos_ == end_ && !refillKeeping(start)) continue;
        if (*pos_ == 0xFF) continue;
      }
      ++pos_;
    }
    token.kind = tokenKind::string;
    token.text = view(start, pos_);
    ++pos_;
    return token;
  }

private:
  static std::string_view view(const unsigned char* from, const unsigned char* to) {
    return {reinterpret_cast<const char*>(from), static_cast<std::size_t>(to - from)};
  }

  // Called with the window used up (pos_ == end_): moves the last keep bytes
  // (the token read so far) to the front of the window and reads more after
  // them. False when the input has no more bytes.
  bool refill(std::size_t keep);
  // The same for the token that began at start, which is moved along.
  bool refillKeeping(const unsigned char*& start) {
    const auto keep = static_cast<std::size_t>(pos_ - start);
    const bool more = refill(keep);
    start = pos_ - keep;
    return more;
  }

  const unsigned char* window_;
  const unsigned char* pos_;
  const unsigned char* end_;
  long long line_ = 1;
  // Just after the last carriage return between tokens (none: all ones).
  std::uint64_t carriageReturnEnd_ = ~std::uint64_t{0};
  // Where the window starts in the input.
  std::uint64_t windowOffset_ = 0;
  // Only for a source: the window's storage and where its bytes come from.
  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t capacity_ = 0;
  sourceFunctionT source_ = nullptr;
  void* context_ = nullptr;
  bool sourceDone_ = false;
  bool sourceFailed_ = false;
};

}  // namespace lorvane::metaText
