#pragma once
#include <string>
#include <string_view>

#include "metatree/metaObject.h"
#include "testFiles.h"

namespace lorvane::hardening {

// Two representative drawings: every kind of item the writers handle, in
// several figures, with settings and attributes.
extern const char* const kSmallDrawing;
extern const char* const kBracketDrawing;

using testing::scratchPath;
using testing::readFileBytes;

// A request tree (owning) for the format and output path whose INPUTDATA
// holds the tree the text describes (empty text: no input at all).
metaObjectC makeRequest(std::string_view drawingText, const char* format, const std::string& output);
// The same with an input drawing built by the caller (taken over).
metaObjectC makeRequestWith(metaTreeC* drawing, const char* format, const std::string& output);

// Every link of the tree under root (the root's own chain included) agrees
// with its neighbours: a child's parent, a sibling's previous and the first
// child's missing previous. Empty when the tree is sound, else the first
// inconsistency. Walks without recursion.
std::string treeLinkFault(metaTreeC* root);

// RESTEXT of the request, "" when there is none; hasResultText tells apart.
std::string resultText(metaObjectC& request);
bool hasResultText(metaObjectC& request);

}  // namespace lorvane::hardening
