#pragma once
#include <cstdint>

namespace lorvane {

// Every integer read of the system truncates a double toward zero. NaN and
// values outside the 32-bit range, for which C++ leaves the conversion
// undefined, give -2147483648 (what the x86 conversion instruction yields).
inline std::int32_t truncateToInt32(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

}  // namespace lorvane
