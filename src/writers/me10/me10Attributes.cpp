#include "lorvane/writers/me10/me10Attributes.h"

#include "lorvane/util/textUtils.h"
#include "lorvane/writers/me10/miNumberFormat.h"

namespace lorvane {
namespace {

std::string layerOf(std::int32_t k, const ME10LayerNameTable& layerNames) {
  return k >= 1 && k <= 7 ? layerNames[static_cast<std::size_t>(k)] : std::string("1");
}

std::string widthOf(std::int32_t k, const ME10LineWidthTable& lineWidths) {
  if (k < 0 || k > 7) return "0";
  std::string width = formatDouble(lineWidths[static_cast<std::size_t>(k)], 3, '.');
  // Widths above 1e60 come in exponent form, which the MI file writes with
  // three exponent digits like all its numbers.
  widenExponent(width);
  return width;
}

std::string colourOf(std::int32_t k, const ME10LineColorTable& lineColors) {
  return k >= 0 && k <= 7 ? formatInt(lineColors[static_cast<std::size_t>(k)]) : std::string("7");
}

}  // namespace

ME10AttributeChoice chooseAttributes(std::int32_t lineType, std::int32_t cosmetic, const ME10LayerNameTable& layerNames,
                                     const ME10LineWidthTable& lineWidths, const ME10LineColorTable& lineColors) {
  // Line type 3 has no cosmetic variant.
  const bool isCosmetic = cosmetic == 1 && lineType != 3;
  ME10AttributeChoice choice;
  const std::string cosmeticLayer = layerOf(kCosmeticEntry, layerNames);
  choice.layerName = isCosmetic && !cosmeticLayer.empty() ? cosmeticLayer : layerOf(lineType, layerNames);
  choice.width = widthOf(lineType, lineWidths);
  // A cosmetic colour of -1 leaves cosmetic shapes their own line type's colour.
  const std::string cosmeticColour = colourOf(kCosmeticEntry, lineColors);
  choice.colour = isCosmetic && cosmeticColour != "-1" ? cosmeticColour : colourOf(lineType, lineColors);
  choice.lineTypeCode = lineTypeCode(lineType);
  return choice;
}

std::int32_t lineTypeCode(std::int32_t lineType) {
  switch (lineType) {
    case 2:
      return 1;
    case 3:
    case 4:
      return 3;
    case 5:
    case 6:
      return 4;
    default:
      return 0;
  }
}

std::int32_t mapRelativePosition(std::int32_t position) {
  if (position >= 1 && position <= 3) return position + 6;
  if (position >= 7 && position <= 9) return position - 6;
  return position;
}

}  // namespace lorvane
