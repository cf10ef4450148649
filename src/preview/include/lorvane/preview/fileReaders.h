#pragma once
// Strict readers of written META2D and MI files. Each fills a scene with the
// file's placed elements, or stops at the first line it cannot read.
#include <cstddef>
#include <string>
#include <string_view>

#include "lorvane/preview/scene.h"

namespace lorvane::preview {

struct readErrorC {
  std::size_t line = 0;  // 1-based line the reader stopped at
  std::string message;
};

bool readMeta2dFile(std::string_view content, sceneC& scene, readErrorC& error);
bool readMiFile(std::string_view content, sceneC& scene, readErrorC& error);

}  // namespace lorvane::preview
