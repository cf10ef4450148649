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

// Takes a file's elements a group at a time, as soon as the reader has
// read the group: the scene then holds every group so far but only that
// group's elements, which the reader drops afterwards, so that a file of a
// large drawing never holds all its elements at once. Every group of the
// file comes once, in the file's order, the last when the file is read; a
// file that turns out unreadable later still fails as a whole.
class groupSinkC {
public:
  virtual ~groupSinkC() = default;
  virtual void groupRead(const sceneC& scene, std::size_t group) = 0;
};

bool readMeta2dFile(std::string_view content, sceneC& scene, readErrorC& error);
bool readMiFile(std::string_view content, sceneC& scene, readErrorC& error);
// With a sink (null: none), the scene ends with the file's groups and no
// elements.
bool readMeta2dFile(std::string_view content, sceneC& scene, readErrorC& error, groupSinkC* sink);
bool readMiFile(std::string_view content, sceneC& scene, readErrorC& error, groupSinkC* sink);

}  // namespace lorvane::preview
