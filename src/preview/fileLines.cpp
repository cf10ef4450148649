#include "fileLines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace lorvane::preview {

namespace {

// The line feeds in [begin, end), eight bytes at a time: a byte of the
// word that is a line feed becomes zero, and the sum below sets the top
// bit of every byte but a zero one. The marks are added up by one
// multiplication: without a popcount instruction in the target's baseline,
// std::popcount is a library call.
std::size_t lineFeeds(const char* begin, const char* end) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  constexpr std::uint64_t kFeeds = 0x0A0A0A0A0A0A0A0AULL;
  std::size_t count = 0;
  for (; end - begin >= 8; begin += 8) {
    std::uint64_t word;
    std::memcpy(&word, begin, sizeof word);
    const std::uint64_t x = word ^ kFeeds;
    const std::uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
    count += static_cast<std::size_t>(((zero >> 7) * 0x0101010101010101ULL) >> 56);
  }
  for (; begin < end; ++begin) count += *begin == '\n';
  return count;
}

}  // namespace

fileLinesC::fileLinesC(std::string_view content) : content_(content) {
  if (content_.empty()) return;
  starts_ = 1;
  checkpoints_.push_back(0);
}

// Line k starts after the k-th line feed, unless that ends the file. The
// feeds are counted a block at a time, ahead of the reader, so that the
// block is at hand when the reader gets to it; only a block in which a
// checkpoint's line starts is gone through byte by byte.
void fileLinesC::scanBlock() const {
  constexpr std::size_t kBlock = 4096;
  const char* data = content_.data();
  const std::size_t size = content_.size();
  const std::size_t end = std::min(size, scanned_ + kBlock);
  const std::size_t inBlock = lineFeeds(data + scanned_, data + end);
  if (feeds_ / kStride == (feeds_ + inBlock) / kStride) {
    feeds_ += inBlock;
  } else {
    for (std::size_t i = scanned_; i < end; ++i) {
      if (data[i] != '\n') continue;
      ++feeds_;
      if (feeds_ % kStride == 0 && i + 1 < size) checkpoints_.push_back(i + 1);
    }
  }
  scanned_ = end;
  starts_ = 1 + feeds_ - (scanned_ == size && content_.back() == '\n' ? 1 : 0);
}

bool fileLinesC::has(std::size_t line) const {
  while (line >= starts_ && scanned_ < content_.size()) scanBlock();
  return line < starts_;
}

std::size_t fileLinesC::size() const {
  while (scanned_ < content_.size()) scanBlock();
  return starts_;
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
      has(line);  // its checkpoint is known
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
  for (std::size_t i = first; i <= last && lines.has(i); ++i) {
    if (i > first) text.push_back('\n');
    text.append(lines[i]);
  }
  return text;
}

}  // namespace lorvane::preview
