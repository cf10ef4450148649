#include "lorvane/preview/scene.h"

namespace lorvane::preview {

std::size_t sceneC::styleIndex(const styleC& style) {
  for (std::size_t i = 0; i < styles.size(); ++i) {
    if (styles[i] == style) return i;
  }
  styles.push_back(style);
  return styles.size() - 1;
}

}  // namespace lorvane::preview
