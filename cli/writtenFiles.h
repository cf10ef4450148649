#pragma once
// Telling the three kinds of input apart by their content, and reading
// written files into scenes with messages that name the file and line.
#include <string>
#include <string_view>

#include "lorvane/preview/scene.h"

namespace lorvane::cli {

enum class inputKind { textForm, meta2d, mi };

// MI files open with their table of contents "#~2"; META2D files with the
// name record "915 "; anything else is taken for the text form. The first
// few bytes of a file are enough.
inputKind recogniseInput(std::string_view start);

// The message for a written file given where a drawing belongs.
std::string writtenFileIsNoDrawing(const std::string& name, inputKind kind);

// False with "NAME:LINE: message" in error when the file cannot be read.
bool readWrittenFile(inputKind kind, const std::string& bytes, const std::string& name, preview::sceneC& scene,
                     std::string& error);

}  // namespace lorvane::cli
