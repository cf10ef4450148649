#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

// Small stateless helpers the ME10 writer uses to cut text apart and to turn
// numbers into text. Texts are bytes; no character set is assumed.

// Removes characters of `chars` from the leading end (mode 1), the trailing
// end (mode 2) or both ends (mode 3). Any other mode leaves the text as it is.
std::string trimChars(std::string text, int mode, const std::string& chars);

// Cuts `text` into fields at `separator`. A field that opens with `quote`
// runs to the matching quote and keeps blanks and separators; a doubled quote
// inside it stands for one quote. A quote of '\0' turns quoting off.
// Unquoted fields lose their surrounding blanks and tabs. With `skipEmpty`
// a separator that would close a field not yet started is ignored.
std::vector<std::string> splitFields(const std::string& text, char separator,
                                     char quote, bool skipEmpty);

// Fixed notation with `precision` decimals up to 1e60, exponent notation with
// `precision` significant digits above it (and for NaN); the decimal point
// comes out as `decimalSeparator` whatever the current C locale is.
std::string formatDouble(double value, int precision, char decimalSeparator);

// Plain decimal, as "%d" writes it.
std::string formatInt(std::int32_t value);

// The lines of a text written one a line (MI): cut at its line feeds, each
// without the blanks around it and up to a zero byte; a last line feed
// starts no further line. The check of written files compares by it too.
std::vector<std::string> textLines(const std::string& text);

// The text a C string would hold: up to its first zero byte, if any.
std::string_view upToZeroByte(std::string_view text);

// Whether a text written as a C string on one line of a file (a name in MI)
// would run on into the next: it holds a line feed before any zero byte. A
// carriage return does not end a line there, since the files' line end is
// the pair, and a reader takes a lone one as part of its line. The writers
// report such a text; lint finds it beforehand by the same rule.
bool breaksItsLine(std::string_view text);

}  // namespace lorvane
