#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lorvane/metatree/memory/memManSystem.h"

namespace lorvane {

// The runtime's text: bytes of the host's ANSI code page with a terminating
// zero, in pooled memory. Short texts (most keys and many values) are kept
// in the object itself, so that a key node costs two pooled blocks, not
// three; longer ones get a buffer of their own. The empty text holds nothing
// and reads as "".
class LORVANE_RUNTIME_API str : public memManInterfaceC {
public:
  static constexpr std::size_t kInlineBytes = 16;

  str() = default;
  explicit str(std::string_view text) { assign(text); }
  str(const str& other) : memManInterfaceC() { assign(other.view()); }
  str& operator=(const str& other) {
    if (this != &other) assign(other.view());
    return *this;
  }
  str& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  ~str() override { releaseBuffer(); }

  void assign(std::string_view text);
  void clear() { assign({}); }

  const char* c_str() const { return data_ ? data_ : ""; }
  std::size_t length() const { return size_ ? size_ - 1 : 0; }
  bool empty() const { return size_ == 0; }
  std::string_view view() const { return {c_str(), length()}; }
  operator std::string_view() const { return view(); }

  // The text the getters return when there is nothing to return.
  static const str& emptyText();

private:
  bool holdsBuffer() const { return data_ && data_ != inline_; }
  void releaseBuffer();

  char* data_ = nullptr;   // inline_, a pooled buffer, or null when empty
  std::size_t size_ = 0;   // bytes including the terminating zero
  char inline_[kInlineBytes] = {};
};

// A text that many values hold at once (the keys of a tree read from text
// repeat millions of times). The last value to let go of it destroys it; a
// value that changes its text takes a text of its own first.
class LORVANE_RUNTIME_API sharedStrC final : public str {
public:
  explicit sharedStrC(std::string_view text) : str(text) {}
  void retain() { ++holders_; }
  // True when the caller was the last holder and must destroy it.
  bool letGo() { return --holders_ == 0; }

private:
  std::uint32_t holders_ = 1;
};

inline bool operator==(const str& a, const str& b) { return a.view() == b.view(); }
inline bool operator==(const str& a, std::string_view b) { return a.view() == b; }

}  // namespace lorvane
