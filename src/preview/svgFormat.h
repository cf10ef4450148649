#pragma once
// Numbers and texts as they go into an SVG document: the same bytes on every
// platform and in every locale, and always well-formed XML.
#include <cstddef>
#include <string>
#include <string_view>

namespace lorvane::preview::svg {

// The shortest text that reads back as the same double, so that a reader of
// the document gets the drawing's own coordinates. Zero of either sign is
// written "0". The value must be finite.
void appendNumber(std::string& out, double value);

// A derived length (pixels, stroke widths, dash lengths) with six
// significant digits in plain fixed notation: style sheets of older viewers
// know no exponents. Non-finite values are written "0".
void appendFixed(std::string& out, double value);

// ` name="value"` with the value as appendFixed writes it.
void appendFixedAttribute(std::string& out, const char* name, double value);

// The text as clean UTF-8: valid UTF-8 sequences are kept; any byte that is
// not part of one is read as Windows-1252 (the host's ANSI code page, a
// superset of Latin-1, so umlauts of older files survive), and its five
// unassigned bytes become U+FFFD. Control characters other than tab are
// dropped, and so are U+0080..U+009F; U+FFFE and U+FFFF become U+FFFD.
std::string cleanText(std::string_view bytes);

// Clean UTF-8 with &, <, >, " and ' replaced by their entities, fit for
// element content and attribute values alike.
void appendEscaped(std::string& out, std::string_view cleanUtf8);

// The number of characters (code points) of clean UTF-8.
std::size_t characterCount(std::string_view cleanUtf8);

}  // namespace lorvane::preview::svg
