#pragma once
#include <string>
#include <string_view>

namespace lorvane {

// Case folding of the ASCII letters only: format names, keys and file
// extensions are ASCII, and the bytes of any other character set stay as
// they are whatever the process locale is.
constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

inline std::string asciiLowerCase(std::string text) {
  for (char& c : text) c = asciiLower(c);
  return text;
}

}  // namespace lorvane
