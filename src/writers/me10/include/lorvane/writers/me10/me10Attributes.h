#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace lorvane {

// What the ME10 settings of a drawing give each line type: a layer name
// (entries 1 to 7 are used), a line width and a colour (entries 0 to 7).
using ME10LayerNameTable = std::array<std::string, 20>;
using ME10LineWidthTable = std::array<double, 8>;
using ME10LineColorTable = std::array<std::int32_t, 8>;

// Index 7 holds what cosmetic shapes take in place of their own line type's
// layer and colour.
inline constexpr std::int32_t kCosmeticEntry = 7;

// The attributes of the shapes after a SHAPEATTR record.
struct ME10AttributeChoice {
  std::string layerName;
  std::string width;
  std::string colour;
  std::int32_t lineTypeCode = 0;
};

// The attributes for a line type (METALINETYPE) and cosmetic flag (COSMETIC).
ME10AttributeChoice chooseAttributes(std::int32_t lineType, std::int32_t cosmetic, const ME10LayerNameTable& layerNames,
                                     const ME10LineWidthTable& lineWidths, const ME10LineColorTable& lineColors);

// The ME10 line type code of a line type: 0 and 1 solid (0), 2 dashed (1),
// 3 and 4 dash-dotted (3), 5 and 6 dotted (4); anything else solid.
std::int32_t lineTypeCode(std::int32_t lineType);

// A text's position relative to its point is numbered row by row on a 3 by 3
// grid; ME10 counts the rows from the other end. Other values pass unchanged.
std::int32_t mapRelativePosition(std::int32_t position);

}  // namespace lorvane
