#include "writtenFiles.h"

#include "lorvane/preview/fileReaders.h"

namespace lorvane::cli {

inputKind recogniseInput(std::string_view text) {
  if (text.substr(0, 5) == "#~2\r\n" || text.substr(0, 4) == "#~2\n") return inputKind::mi;
  if (text.substr(0, 4) == "915 ") return inputKind::meta2d;
  return inputKind::textForm;
}

std::string writtenFileIsNoDrawing(const std::string& name, inputKind kind) {
  return name + ": a written " + (kind == inputKind::mi ? "MI" : "META2D") +
         " file, not a drawing (lorvane preview draws it)";
}

bool readWrittenFile(inputKind kind, const std::string& bytes, const std::string& name, preview::sceneC& scene,
                     std::string& error) {
  preview::readErrorC failure;
  const bool ok = kind == inputKind::mi ? preview::readMiFile(bytes, scene, failure)
                                        : preview::readMeta2dFile(bytes, scene, failure);
  if (!ok) error = name + ":" + std::to_string(failure.line) + ": " + failure.message;
  return ok;
}

}  // namespace lorvane::cli
