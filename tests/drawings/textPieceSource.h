#pragma once
// A text in memory handed to the text reader a piece at a time, the way the
// tool reads a file: for tests, benchmarks and fuzzers of reading through a
// window.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::drawings {

struct textPieceSourceC {
  std::string_view text;
  std::size_t pieceSize = std::string_view::npos;  // at most this much a call
  std::size_t failAt = std::string_view::npos;     // a read once this many bytes are given fails
  std::size_t given = 0;

  // metaTextReaderC's source over the textPieceSourceC given as context.
  static std::size_t read(char* buffer, std::size_t capacity, void* context) {
    auto& self = *static_cast<textPieceSourceC*>(context);
    if (self.given >= self.failAt) return metaTextReaderC::kReadFailed;
    const std::size_t n = std::min({capacity, self.pieceSize, self.text.size()});
    std::memcpy(buffer, self.text.data(), n);
    self.text.remove_prefix(n);
    self.given += n;
    return n;
  }
};

}  // namespace lorvane::drawings
