#pragma once
#include <cstddef>
#include <cstdint>

#include "lorvane/metatree/metaTree.h"

namespace lorvane {

// A binary attribute keeps bytes under a key node as CODE (a type code), SIZE
// (the byte count) and DATA (the bytes as radix-64 text, absent for 0 bytes).
// An attribute that has this shape already keeps its nodes, and the result
// is true; otherwise its children are replaced (false).
LORVANE_RUNTIME_API bool writeBinary(metaTreeC* key, const void* bytes, std::size_t size, std::int32_t code);
// Number of bytes written into the buffer, or -1 when SIZE is 0 or above the
// capacity (the buffer is then left as it was).
LORVANE_RUNTIME_API std::int32_t readBinary(const metaTreeC* key, void* buffer, std::size_t capacity);

// The radix-64 text of the bytes, most significant bit of each byte first.
LORVANE_RUNTIME_API void encodeRadix64(const unsigned char* bytes, std::size_t size, char* text);
inline constexpr std::size_t radix64Length(std::size_t size) { return (8 * size + 5) / 6; }

}  // namespace lorvane
