#pragma once
#include <string>
#include <string_view>

#include "lorvane/metatree/metaObject.h"
#include "requestTrees.h"
#include "testFiles.h"

namespace lorvane::hardening {

// Two representative drawings: every kind of item the writers handle, in
// several figures, with settings and attributes.
extern const char* const kSmallDrawing;
extern const char* const kBracketDrawing;

using testing::scratchPath;
using testing::readFileBytes;

using testing::conversionRequest;
using testing::hasResultText;
using testing::resultText;

// Every link of the tree under root (the root's own chain included) agrees
// with its neighbours: a child's parent, a sibling's previous and the first
// child's missing previous. Empty when the tree is sound, else the first
// inconsistency. Walks without recursion.
std::string treeLinkFault(metaTreeC* root);

}  // namespace lorvane::hardening
