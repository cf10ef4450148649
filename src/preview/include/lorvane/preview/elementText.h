#pragma once
// The lines of a text element, held apart from the element: most elements
// of a large drawing are lines and arcs, and a string inside each would
// make every one of them larger. Empty holds nothing at all.
#include <memory>
#include <string>
#include <string_view>

namespace lorvane::preview {

class elementTextC {
public:
  elementTextC() = default;
  elementTextC(const elementTextC& other) { *this = other.str(); }
  elementTextC(elementTextC&&) noexcept = default;
  elementTextC& operator=(const elementTextC& other) {
    if (this != &other) *this = other.str();
    return *this;
  }
  elementTextC& operator=(elementTextC&&) noexcept = default;

  elementTextC& operator=(std::string text) {
    if (text.empty()) {
      text_.reset();
    } else {
      text_ = std::make_unique<std::string>(std::move(text));
    }
    return *this;
  }

  const std::string& str() const {
    static const std::string kNone;
    return text_ ? *text_ : kNone;
  }
  operator const std::string&() const { return str(); }
  bool empty() const { return !text_; }

  friend bool operator==(const elementTextC& a, std::string_view b) { return std::string_view(a.str()) == b; }

private:
  std::unique_ptr<std::string> text_;
};

}  // namespace lorvane::preview
