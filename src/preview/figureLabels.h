#pragma once
// Figure names shown beside their figures, placed so that no two overlap:
// on a sheet of many figures, names that all sat above their figures'
// corners ran into one unreadable band.
#include <cstddef>
#include <string>
#include <vector>

#include "lorvane/preview/pictureLayout.h"
#include "lorvane/preview/svgGeometry.h"

namespace lorvane::preview::svg {

// The name a label shows: an MI part's name without the number suffix
// "`~N" that the MI writer appends to every part.
std::string labelOf(const std::string& name);

// The labels of the groups with drawn elements (boxes[g] not empty) and a
// name. Each label tries in turn: above its figure's top left corner (where
// every label lies when there is room), above the top right corner, below
// the bottom left and bottom right corners, right and left of the top edge,
// inside the top left corner. It takes the first spot that overlaps no
// label placed before and lies in the view (its right end may run out);
// with none free it is left out and counted in leftOut. Label boxes are
// estimated as the legend's texts are: 0.6 heights a character.
std::vector<figureLabelC> placeLabels(const sceneC& scene, const std::vector<boxC>& boxes, const viewC& view,
                                      double unitsPerPixel, std::size_t& leftOut);

}  // namespace lorvane::preview::svg
