#include "lorvane/metatree/str.h"

#include <cstring>

namespace lorvane {

void str::releaseBuffer() {
  if (holdsBuffer()) {
    if (memManSystemC* system = memManSystemC::get(false)) system->free(data_);
  }
  data_ = nullptr;
  size_ = 0;
}

void str::assign(std::string_view text) {
  const std::size_t bytes = text.size() + 1;
  if (text.empty()) {
    releaseBuffer();
    return;
  }
  if (bytes <= kInlineBytes) {
    // memmove: the text may be a part of this very string.
    std::memmove(inline_, text.data(), text.size());
    inline_[text.size()] = '\0';
    if (holdsBuffer()) memManSystemC::get(false)->free(data_);
    data_ = inline_;
    size_ = bytes;
    return;
  }
  if (holdsBuffer() && size_ == bytes) {
    std::memmove(data_, text.data(), text.size());
    return;
  }
  // The new buffer is filled before the old one goes: the text may live in it,
  // and a failed allocation leaves this string as it was.
  char* buffer = static_cast<char*>(memManSystemC::get(true)->alloc(bytes));
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  if (holdsBuffer()) memManSystemC::get(false)->free(data_);
  data_ = buffer;
  size_ = bytes;
}

const str& str::emptyText() {
  // Never holds a buffer, so it pins no pooled memory.
  static const str empty;
  return empty;
}

}  // namespace lorvane
