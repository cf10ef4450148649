#include "fileLines.h"

#include <cstring>

namespace lorvane::preview {

fileLinesC::fileLinesC(std::string_view content) : content_(content) {
  std::size_t start = 0;
  while (start < content_.size()) {
    if (count_ % kStride == 0) checkpoints_.push_back(start);
    ++count_;
    endOf(start, start);
  }
}

std::size_t fileLinesC::endOf(std::size_t start, std::size_t& next) const {
  const char* p = content_.data() + start;
  const void* found = std::memchr(p, '\n', content_.size() - start);
  if (!found) {
    next = content_.size();
    return content_.size();
  }
  std::size_t end = static_cast<std::size_t>(static_cast<const char*>(found) - content_.data());
  next = end + 1;
  if (end > start && content_[end - 1] == '\r') --end;
  return end;
}

std::string_view fileLinesC::operator[](std::size_t line) const {
  if (line != cachedLine_) {
    std::size_t start = 0;
    std::size_t at = 0;
    if (cachedLine_ != kNoLine && line == cachedLine_ + 1) {
      start = cachedNext_;
      at = line;
    } else {
      at = line / kStride * kStride;
      start = checkpoints_[line / kStride];
    }
    for (; at < line; ++at) endOf(start, start);
    cachedLine_ = line;
    cachedStart_ = start;
    cachedEnd_ = endOf(start, cachedNext_);
  }
  return content_.substr(cachedStart_, cachedEnd_ - cachedStart_);
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

std::string joinLines(const fileLinesC& lines, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t i = first; i <= last && i < lines.size(); ++i) {
    if (i > first) text.push_back('\n');
    text.append(lines[i]);
  }
  return text;
}

}  // namespace lorvane::preview
