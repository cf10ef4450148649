#pragma once
#include <cstdint>
#include <string_view>

#include "lorvane/metatree/str.h"

namespace lorvane {

enum class metaValueKind : std::uint32_t { none = 0, key = 1, string = 2, number = 3, integer = 4, word = 5 };

// The tagged value of one node. Keys and strings own a pooled text; numbers are
// doubles (integers are stored as numbers). The two tag words record where a
// value came from (the source line of a text read) and travel with every copy.
class LORVANE_RUNTIME_API metaValueC {
public:
  metaValueC() { payload_.number = 0.0; }
  metaValueC(const metaValueC& other) {
    payload_.number = 0.0;
    try {
      *this = other;
    } catch (...) {
      clear();
      throw;
    }
  }
  metaValueC& operator=(const metaValueC& other);
  ~metaValueC() {
    clear();
    if (extraForm_ == kExtraStored) forgetExtra();
  }

  metaValueKind kind() const { return static_cast<metaValueKind>(kind_); }
  bool isKey() const { return kind() == metaValueKind::key; }
  bool isString() const { return kind() == metaValueKind::string; }
  bool isNumber() const { return kind() == metaValueKind::number; }
  bool isText() const { return isKey() || isString(); }

  // The text of a key or string; the shared empty text for other kinds.
  const str& text() const { return isText() && payload_.text ? *payload_.text : str::emptyText(); }
  bool textEquals(std::string_view text) const { return isText() && this->text().view() == text; }
  double number() const { return payload_.number; }
  std::uint32_t word() const { return payload_.word; }

  // Setters keep the tag of the value they overwrite.
  void setKey(std::string_view text) { setText(metaValueKind::key, text); }
  void setString(std::string_view text) { setText(metaValueKind::string, text); }
  // A key or string that holds the shared text instead of a copy of it.
  // Inline with setNumber: a text read sets millions of values.
  void shareText(metaValueKind kind, sharedStrC* text) {
    // Taken before the old text goes: it may be the same one.
    text->retain();
    if (isText()) dropText();
    payload_.text = text;
    shared_ = true;
    setKind(kind);
  }
  void setNumber(double value) {
    if (isText()) dropText();
    payload_.number = value;
    setKind(metaValueKind::number);
  }
  void setInteger(std::int32_t value);
  void setWord(std::uint32_t value);
  void clear();

  std::int32_t tagLine() const { return tagLine_; }
  std::int32_t tagExtra() const {
    return extraForm_ == kExtraUnset ? -1 : extraForm_ == kExtraZero ? 0 : storedExtra();
  }
  void setTag(std::int32_t line, std::int32_t extra) {
    tagLine_ = line;
    if (extra == -1 || extra == 0) {
      if (extraForm_ == kExtraStored) forgetExtra();
      extraForm_ = extra == 0 ? kExtraZero : kExtraUnset;
    } else {
      storeExtra(extra);
    }
  }

private:
  friend class metaTreeC;
  friend class nodeFactoryC;  // the runtime's reader fills fresh values in one go
  void setText(metaValueKind kind, std::string_view text);
  void dropText();

  // A tree has millions of values: the second tag word is nearly always -1
  // or 0 (unset, or beside a source line), so those two are told by a byte
  // and any other word is kept beside the values, keyed by the value.
  static constexpr std::uint8_t kExtraUnset = 0;
  static constexpr std::uint8_t kExtraZero = 1;
  static constexpr std::uint8_t kExtraStored = 2;
  std::int32_t storedExtra() const;
  void storeExtra(std::int32_t extra);
  void forgetExtra();
  void setKind(metaValueKind kind) { kind_ = static_cast<std::uint8_t>(kind); }

  union {
    double number;
    str* text;
    std::uint32_t word;
  } payload_;
  std::int32_t tagLine_ = -1;
  // The kind in a byte (its values fit): the value is 16 bytes, not 24.
  std::uint8_t kind_ = 0;
  bool shared_ = false;  // the text is a sharedStrC
  std::uint8_t extraForm_ = kExtraUnset;
  // Kept for the node that embeds the value; never copied with the value.
  std::uint8_t nodeBits_ = 0;
};

}  // namespace lorvane
