#include "lorvane/metatree/binaryAttribute.h"

#include <cstring>
#include <string>

#include "lorvane/metatree/metaObject.h"

namespace lorvane {
namespace {

constexpr char kAlphabet[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ,;";

unsigned digitOf(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned>(c - 'A' + 36);
  if (c == ',') return 62;
  if (c == ';') return 63;
  return 0;  // outside the alphabet: decoded as zero bits
}

}  // namespace

void encodeRadix64(const unsigned char* bytes, std::size_t size, char* text) {
  std::uint32_t bits = 0;
  unsigned held = 0;
  for (std::size_t i = 0; i < size; ++i) {
    bits = (bits << 8) | bytes[i];
    held += 8;
    while (held >= 6) {
      held -= 6;
      *text++ = kAlphabet[(bits >> held) & 63];
    }
  }
  if (held > 0) *text++ = kAlphabet[(bits << (6 - held)) & 63];
}

void writeBinary(metaTreeC* key, const void* bytes, std::size_t size, std::int32_t code) {
  if (!key) return;
  metaObjectC attribute(key);
  attribute.removeAllChildren();
  metaObjectC(attribute.addChild("CODE")).setInt(code);
  metaObjectC(attribute.addChild("SIZE")).setDouble(static_cast<double>(size));
  if (size == 0) return;
  std::string text(radix64Length(size), '0');
  encodeRadix64(static_cast<const unsigned char*>(bytes), size, text.data());
  metaObjectC(attribute.addChild("DATA")).setString(text);
}

std::int32_t readBinary(const metaTreeC* key, void* buffer, std::size_t capacity) {
  if (!key) return -1;
  metaObjectC attribute(const_cast<metaTreeC*>(key));
  const std::int32_t size = metaObjectC(attribute.findChild("SIZE")).getInt();
  if (size <= 0 || static_cast<std::size_t>(size) > capacity) return -1;
  const std::string_view text = metaObjectC(attribute.findChild("DATA")).getString().view();
  auto* out = static_cast<unsigned char*>(buffer);
  std::uint32_t bits = 0;
  unsigned held = 0;
  std::int32_t written = 0;
  for (char c : text) {
    bits = (bits << 6) | digitOf(c);
    held += 6;
    if (held >= 8) {
      held -= 8;
      if (written == size) break;
      out[written++] = static_cast<unsigned char>(bits >> held);
    }
  }
  return written;
}

}  // namespace lorvane
