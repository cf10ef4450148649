#pragma once
#include <cstddef>
#include <string_view>

#include "metatree/memory/memManDataPool.h"

namespace lorvane {

// The runtime's text: bytes of the host's ANSI code page with a terminating
// zero, kept in pooled memory. The empty text holds no buffer and reads as "".
class LORVANE_RUNTIME_API str : public memManInterfaceC {
public:
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

  void assign(std::string_view text);
  void clear() { chars_.release(); }

  const char* c_str() const { return chars_.data() ? chars_.data() : ""; }
  std::size_t length() const { return chars_.size() ? chars_.size() - 1 : 0; }
  bool empty() const { return length() == 0; }
  std::string_view view() const { return {c_str(), length()}; }
  operator std::string_view() const { return view(); }

  // The text the getters return when there is nothing to return.
  static const str& emptyText();

private:
  memManDataPoolC<char> chars_;  // size counts the terminating zero
};

inline bool operator==(const str& a, const str& b) { return a.view() == b.view(); }
inline bool operator==(const str& a, std::string_view b) { return a.view() == b; }

}  // namespace lorvane
