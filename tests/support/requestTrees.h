#pragma once
// The trees a test hands to the conversion: a drawing read from its text
// form, and the request around it.
#include <string>
#include <string_view>

#include "lorvane/metatree/metaObject.h"

namespace lorvane::testing {

// The tree the text form describes, owned by the result; a test failure when
// the text does not read.
metaObjectC treeFromText(std::string_view text);

// A request (owning) for the format and output path; INPUTDATA holds the
// drawing (taken over), or nothing when there is none. PROGRESSDETAIL asks
// the writers for progress within the conversion.
struct requestOptionsC {
  bool progressDetail = false;
};
metaObjectC conversionRequest(metaTreeC* drawing, const char* format, const std::string& output,
                              requestOptionsC options = {});
// The same with the drawing in the text form (empty text: no drawing).
metaObjectC conversionRequest(std::string_view drawingText, const char* format, const std::string& output,
                              requestOptionsC options = {});

// RESTEXT of the request, "" when there is none; hasResultText tells apart.
std::string resultText(const metaObjectC& request);
bool hasResultText(const metaObjectC& request);

}  // namespace lorvane::testing
