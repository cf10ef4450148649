#include "svgFormat.h"

#include <charconv>
#include <cmath>

namespace lorvane::preview::svg {

namespace {

// Windows-1252 for the bytes 0x80..0x9F; 0 where the code page assigns none.
constexpr char32_t windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t replacementCharacter = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at the start of bytes (its
// code point in codePoint), or 0 if there is none: overlong forms,
// surrogates and values past U+10FFFF are not well-formed.
std::size_t utf8Sequence(std::string_view bytes, char32_t& codePoint) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char secondLow = 0x80;
  unsigned char secondHigh = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) secondLow = 0xA0;
    if (lead == 0xED) secondHigh = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) secondLow = 0x90;
    if (lead == 0xF4) secondHigh = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  if (byte(1) < secondLow || byte(1) > secondHigh) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!isContinuation(byte(i))) return 0;
  }
  char32_t value = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) value = (value << 6) | (byte(i) & 0x3F);
  codePoint = value;
  return length;
}

bool isDropped(char32_t codePoint) {
  if (codePoint == '\t') return false;
  return codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint <= 0x9F);
}

void appendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

char32_t fromSingleByte(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    const char32_t mapped = windows1252High[byte - 0x80];
    return mapped != 0 ? mapped : replacementCharacter;
  }
  return byte;
}

}  // namespace

void appendNumber(std::string& out, double value) {
  if (value == 0 || !std::isfinite(value)) {
    out += '0';
    return;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void appendFixed(std::string& out, double value) {
  if (value == 0 || !std::isfinite(value)) {
    out += '0';
    return;
  }
  constexpr int significantDigits = 6;
  // The decimal exponent after rounding, read from the scientific form so
  // that no platform's log10 decides the number of digits.
  char scientific[32];
  const auto written = std::to_chars(scientific, scientific + sizeof scientific, value,
                                     std::chars_format::scientific, significantDigits - 1);
  int exponent = 0;
  const char* mark = scientific;
  while (mark < written.ptr && *mark != 'e') ++mark;
  if (mark < written.ptr) {
    const char* digits = mark + 1;
    if (digits < written.ptr && *digits == '+') ++digits;
    std::from_chars(digits, written.ptr, exponent);
  }
  const int decimals = exponent >= significantDigits - 1 ? 0 : significantDigits - 1 - exponent;
  char buffer[512];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc{}) {
    out += '0';
    return;
  }
  char* end = result.ptr;
  if (decimals > 0) {
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
  }
  out.append(buffer, end);
}

std::string cleanText(std::string_view bytes) {
  std::string clean;
  clean.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    char32_t codePoint = 0;
    std::size_t length = utf8Sequence(bytes.substr(i), codePoint);
    if (length == 0) {
      codePoint = fromSingleByte(static_cast<unsigned char>(bytes[i]));
      length = 1;
    }
    i += length;
    if (isDropped(codePoint)) continue;
    if (codePoint == 0xFFFE || codePoint == 0xFFFF) codePoint = replacementCharacter;
    appendUtf8(clean, codePoint);
  }
  return clean;
}

void appendEscaped(std::string& out, std::string_view cleanUtf8) {
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < cleanUtf8.size(); ++i) {
    const char* entity = nullptr;
    switch (cleanUtf8[i]) {
      case '&': entity = "&amp;"; break;
      case '<': entity = "&lt;"; break;
      case '>': entity = "&gt;"; break;
      case '"': entity = "&quot;"; break;
      case '\'': entity = "&apos;"; break;
      default: continue;
    }
    out.append(cleanUtf8.substr(runStart, i - runStart));
    out += entity;
    runStart = i + 1;
  }
  out.append(cleanUtf8.substr(runStart));
}

std::size_t characterCount(std::string_view cleanUtf8) {
  std::size_t count = 0;
  for (const char c : cleanUtf8) {
    if (!isContinuation(static_cast<unsigned char>(c))) ++count;
  }
  return count;
}

void appendFixedAttribute(std::string& out, const char* name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  appendFixed(out, value);
  out += '"';
}

}  // namespace lorvane::preview::svg
