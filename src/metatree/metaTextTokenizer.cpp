#include "metaTextTokenizer.h"

#include <cstring>

namespace lorvane::metaText {

tokenizerC::tokenizerC(sourceFunctionT source, void* context, std::size_t windowBytes)
    : buffer_(new unsigned char[windowBytes > 0 ? windowBytes : 1]),
      capacity_(windowBytes > 0 ? windowBytes : 1),
      source_(source),
      context_(context) {
  window_ = pos_ = end_ = buffer_.get();
}

// Out of line: it runs once per window, and keeping it out of the token
// loops keeps them small.
bool tokenizerC::refill(std::size_t keep) {
  if (!source_ || sourceDone_) return false;
  const unsigned char* kept = pos_ - keep;
  windowOffset_ += static_cast<std::uint64_t>(kept - window_);
  // A token that fills more than half the window doubles it, so that every
  // read fills at least half a window however long tokens get.
  if (keep > capacity_ / 2) {
    const std::size_t larger = capacity_ * 2;
    std::unique_ptr<unsigned char[]> grown(new unsigned char[larger]);
    std::memcpy(grown.get(), kept, keep);
    buffer_ = std::move(grown);
    capacity_ = larger;
  } else if (keep > 0) {
    std::memmove(buffer_.get(), kept, keep);
  }
  window_ = buffer_.get();
  pos_ = end_ = window_ + keep;
  const std::size_t room = capacity_ - keep;
  const std::size_t got = source_(reinterpret_cast<char*>(buffer_.get() + keep), room, context_);
  if (got == 0 || got > room) {
    sourceDone_ = true;
    sourceFailed_ = got != 0;
    return false;
  }
  end_ = pos_ + got;
  return true;
}

}  // namespace lorvane::metaText
