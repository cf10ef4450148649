#include "fileLines.h"

#include <cstring>

namespace lorvane::preview {

std::vector<std::string_view> splitLines(std::string_view content) {
  std::vector<std::string_view> lines;
  const char* p = content.data();
  const char* end = p + content.size();
  while (p < end) {
    const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* stop = found ? static_cast<const char*>(found) : end;
    const char* textEnd = stop;
    if (found && textEnd > p && textEnd[-1] == '\r') --textEnd;
    lines.emplace_back(p, static_cast<std::size_t>(textEnd - p));
    p = found ? stop + 1 : end;
  }
  return lines;
}

std::string excerpt(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
  }
  if (text.size() > kShown) out += "...";
  out.push_back('"');
  return out;
}

std::string joinLines(const std::vector<std::string_view>& lines, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t i = first; i <= last && i < lines.size(); ++i) {
    if (i > first) text.push_back('\n');
    text.append(lines[i]);
  }
  return text;
}

}  // namespace lorvane::preview
