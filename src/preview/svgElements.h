#pragma once
// The SVG elements of drawable scene elements, in the drawing's own
// coordinates (y up: the enclosing group flips them).
#include <string>

#include "preview/scene.h"

namespace lorvane::preview::svg {

// Appends one line ending in a line feed. The element must be drawable; a
// style index of styleCount or more draws with the document's defaults.
void appendElement(std::string& out, const elementC& element, std::size_t styleCount);

}  // namespace lorvane::preview::svg
