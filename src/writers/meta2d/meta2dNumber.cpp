#include "writers/meta2d/meta2dNumber.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace lorvane {

std::size_t formatMeta2dNumber(double value, char* out) {
  // to_chars gives the exact decimal expansion that a correct "%.24f"
  // gives, independent of the C runtime and of the process locale. A double
  // has at most 309 integer digits, so 309 + 1 + 24 characters always fit.
  char rendered[384];
  const std::to_chars_result result =
      std::to_chars(rendered, rendered + sizeof rendered, value, std::chars_format::fixed, 24);
  const auto length = static_cast<std::size_t>(result.ptr - rendered);
  const std::size_t kept = length < kMeta2dNumberWidth ? length : kMeta2dNumberWidth;
  std::memcpy(out, rendered, kept);
  return kept;
}

}  // namespace lorvane
