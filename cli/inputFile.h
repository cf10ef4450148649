#pragma once
// Reading what the commands are given: a file or, for "-", standard input.
#include <string>

#include "lorvane/metatree/metaObject.h"

namespace lorvane::cli {

// The whole input as bytes; reading shows on the progress bar.
bool readInputFile(const std::string& path, std::string& bytes, std::string& error);

// The meta tree text of an input, read into a tree; messages name the input
// as name. With drawingsOnly a written META2D or MI file is refused as no
// drawing. False with the reason printed.
bool readTextTree(const std::string& input, const std::string& name, bool drawingsOnly, metaObjectC& tree);

}  // namespace lorvane::cli
