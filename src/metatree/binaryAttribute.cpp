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

// The value node of `key` when it is a key named `name` holding exactly one
// leaf value of the kind; null otherwise.
metaTreeC* soleValue(metaTreeC* key, std::string_view name, bool string) {
  if (!key || !key->hasKey(name)) return nullptr;
  metaTreeC* value = key->firstChild();
  if (!value || value->next() || value->firstChild()) return nullptr;
  return (string ? value->value().isString() : value->value().isNumber()) ? value : nullptr;
}

// Writes into an attribute that already has the shape writeBinary gives it
// (CODE, SIZE, DATA, each one value) by changing the values only. A reference
// may name any node of the tree, one of the attribute's own included; a node
// replaced here would leave it with the address of a freed node.
bool rewriteInPlace(metaTreeC* key, std::int32_t code, std::size_t size, const std::string& text) {
  metaTreeC* codeKey = key->firstChild();
  metaTreeC* sizeKey = codeKey ? codeKey->next() : nullptr;
  metaTreeC* dataKey = sizeKey ? sizeKey->next() : nullptr;
  metaTreeC* codeValue = soleValue(codeKey, "CODE", false);
  metaTreeC* sizeValue = soleValue(sizeKey, "SIZE", false);
  metaTreeC* dataValue = soleValue(dataKey, "DATA", true);
  if (!codeValue || !sizeValue || !dataValue || dataKey->next() || size == 0) return false;
  dataValue->value().setString(text);  // the one step that allocates: nothing changed before it
  codeValue->value().setNumber(code);
  sizeValue->value().setNumber(static_cast<double>(size));
  return true;
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

bool writeBinary(metaTreeC* key, const void* bytes, std::size_t size, std::int32_t code) {
  if (!key) return true;
  std::string text(radix64Length(size), '0');
  if (size > 0) encodeRadix64(static_cast<const unsigned char*>(bytes), size, text.data());
  if (rewriteInPlace(key, code, size, text)) return true;
  metaObjectC attribute(key);
  attribute.removeAllChildren();
  metaObjectC(attribute.addChild("CODE")).setInt(code);
  metaObjectC(attribute.addChild("SIZE")).setDouble(static_cast<double>(size));
  if (size > 0) metaObjectC(attribute.addChild("DATA")).setString(text);
  return false;
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
