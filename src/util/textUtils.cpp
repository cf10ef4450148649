#include "lorvane/util/textUtils.h"

#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <utility>

namespace lorvane {

namespace {

// Removes every trailing (or leading) occurrence of each character in turn
// and repeats until a whole pass removes nothing, so that an interleaved run
// such as " \t \t" goes however the characters are ordered in the set.
void trimEnd(std::string& text, const std::string& chars, bool trailing) {
  std::size_t before = 0;
  do {
    before = text.size();
    for (char c : chars) {
      if (trailing) {
        const std::size_t keep = text.find_last_not_of(c);
        text.erase(keep == std::string::npos ? 0 : keep + 1);
      } else {
        text.erase(0, text.find_first_not_of(c));
      }
    }
  } while (text.size() != before);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

const std::string blanks = " \t";

}  // namespace

std::string trimChars(std::string text, int mode, const std::string& chars) {
  if (mode == 2 || mode == 3) trimEnd(text, chars, true);
  if (mode == 1 || mode == 3) trimEnd(text, chars, false);
  return text;
}

std::vector<std::string> splitFields(const std::string& text, char separator,
                                     char quote, bool skipEmpty) {
  std::vector<std::string> fields;
  // '\0' means "no quoting"; without this guard an embedded zero byte would
  // open a quoted field.
  const bool quoting = quote != '\0';
  bool outsideQuotes = true;
  bool atFieldStart = true;
  bool fieldWasQuoted = false;
  std::string field;

  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoting && atFieldStart && c == quote) {
      outsideQuotes = false;
      atFieldStart = false;
      fieldWasQuoted = true;
    } else if (quoting && !outsideQuotes && c == quote) {
      if (i + 1 < text.size() && text[i + 1] == quote) {
        field += quote;
        ++i;
      } else {
        outsideQuotes = true;
      }
    } else if (outsideQuotes && c == separator) {
      if (skipEmpty && atFieldStart) continue;
      if (!fieldWasQuoted) field = trimChars(std::move(field), 3, blanks);
      fields.push_back(std::move(field));
      field.clear();
      atFieldStart = true;
      fieldWasQuoted = false;
    } else if (outsideQuotes && (atFieldStart || fieldWasQuoted) && isBlank(c)) {
      // Blanks before a field and after a closing quote carry nothing.
    } else {
      field += c;
      atFieldStart = false;
    }
  }

  if (!fieldWasQuoted) field = trimChars(std::move(field), 3, blanks);
  // Dropping an empty last field lets a text that ends with its separator
  // (a last line with its line feed) give no extra field; "" still counts.
  if (!field.empty() || fieldWasQuoted) fields.push_back(std::move(field));
  return fields;
}

namespace {

// Beyond this many digits a double has nothing left to show: its exact
// decimal expansion ends at the latest 1074 places after the point and has
// at most 767 significant digits. Formatting with more only adds zeros
// ("%f") or nothing ("%g" drops trailing zeros), so larger precisions are
// rendered with this one and "%f" gets the missing zeros appended. That keeps
// the printf call's own length far below INT_MAX.
constexpr int maxRenderedDigits = 1100;

std::string printDouble(const char* format, int precision, double value) {
  const int length = std::snprintf(nullptr, 0, format, precision, value);
  if (length <= 0) return std::string();
  std::string out(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(out.data(), out.size(), format, precision, value);
  out.resize(static_cast<std::size_t>(length));
  return out;
}

// printf writes the decimal point of the current LC_NUMERIC locale; the host
// may have set one that is not ".". Turning it back into "." first lets the
// separator replacement below see the same text in every locale.
void normaliseDecimalPoint(std::string& text) {
  const std::lconv* conventions = std::localeconv();
  if (conventions == nullptr || conventions->decimal_point == nullptr) return;
  const std::string localePoint = conventions->decimal_point;
  if (localePoint.empty() || localePoint == ".") return;
  const std::size_t at = text.find(localePoint);
  if (at == std::string::npos) return;
  // Built anew rather than replaced in place: GCC's overlap analysis of an
  // in-place replace misfires at -O2.
  text = text.substr(0, at) + "." + text.substr(at + localePoint.size());
}

}  // namespace

std::string formatDouble(double value, int precision, char decimalSeparator) {
  // printf reads a negative precision as if none were given; say so here so
  // that no C runtime gets to interpret it differently.
  if (precision < 0) precision = 6;
  const bool fixed = value <= 1e60;  // false for NaN as well
  const int rendered = precision < maxRenderedDigits ? precision : maxRenderedDigits;

  std::string out = printDouble(fixed ? "%.*f" : "%.*g", rendered, value);
  normaliseDecimalPoint(out);
  if (fixed && rendered < precision && std::isfinite(value)) {
    out.append(static_cast<std::size_t>(precision - rendered), '0');
  }
  for (char& c : out) {
    if (c == '.') c = decimalSeparator;
  }
  return out;
}

std::string formatInt(std::int32_t value) {
  // std::to_string is defined to give exactly what "%d" writes.
  return std::to_string(value);
}

std::vector<std::string> textLines(const std::string& text) {
  std::vector<std::string> lines = splitFields(text, '\n', '\0', false);
  for (std::string& line : lines) line.resize(upToZeroByte(line).size());
  return lines;
}

std::string_view upToZeroByte(std::string_view text) {
  const std::size_t zero = text.find('\0');
  return zero == std::string_view::npos ? text : text.substr(0, zero);
}

bool breaksItsLine(std::string_view text) { return upToZeroByte(text).find('\n') != std::string_view::npos; }

}  // namespace lorvane
