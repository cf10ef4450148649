#include "writtenFiles.h"

#include "lorvane/util/asciiCase.h"

namespace lorvane::cli {

const writtenFormatC* recogniseWritten(std::string_view start) {
  for (const writtenFormatC& format : kWrittenFormats) {
    if (start.substr(0, format.magic.size()) != format.magic) continue;
    if (!format.magicIsALine) return &format;
    const std::string_view after = start.substr(format.magic.size());
    if (after.substr(0, 2) == "\r\n" || after.substr(0, 1) == "\n") return &format;
  }
  return nullptr;
}

const writtenFormatC* writtenFormatWithExtension(std::string_view extension) {
  for (const writtenFormatC& format : kWrittenFormats) {
    if (equalsIgnoringAsciiCase(extension, format.extension)) return &format;
  }
  return nullptr;
}

std::string writtenFileIsNoDrawing(const std::string& name, const writtenFormatC& format) {
  return name + ": a written " + format.label + " file, not a drawing (lorvane preview draws it)";
}

bool readWrittenFile(const writtenFormatC& format, std::string_view bytes, const std::string& name,
                     preview::sceneC& scene, std::string& error, preview::groupSinkC* sink) {
  preview::readErrorC failure;
  const bool ok = format.read(bytes, scene, failure, sink);
  if (!ok) error = name + ":" + std::to_string(failure.line) + ": " + failure.message;
  return ok;
}

}  // namespace lorvane::cli
