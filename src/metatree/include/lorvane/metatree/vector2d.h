#pragma once

namespace lorvane {

template <class T>
struct vectorC2d {
  T x{};
  T y{};
};

template <class T>
struct vectorC3d {
  T x{};
  T y{};
  T z{};
};

template <class T>
inline bool operator==(const vectorC2d<T>& a, const vectorC2d<T>& b) {
  return a.x == b.x && a.y == b.y;
}

}  // namespace lorvane
