#include "metatree/str.h"

#include <cstring>

namespace lorvane {

void str::assign(std::string_view text) {
  if (text.empty()) {
    chars_.release();
    return;
  }
  // The source may live inside this text's own buffer.
  if (chars_.data() && text.data() >= chars_.data() && text.data() < chars_.data() + chars_.size()) {
    str copy(text);
    chars_.swap(copy.chars_);
    return;
  }
  if (chars_.size() != text.size() + 1) chars_.allocate(text.size() + 1);
  std::memcpy(chars_.data(), text.data(), text.size());
  chars_.data()[text.size()] = '\0';
}

const str& str::emptyText() {
  // Never holds a buffer, so it pins no pooled memory.
  static const str empty;
  return empty;
}

}  // namespace lorvane
