#include "lintSchema.h"

#include <array>

namespace lorvane::cli::lint {
namespace {

using mk = memberKind;

constexpr memberSchemaC text(std::string_view key) { return {key, mk::text}; }
constexpr memberSchemaC flag(std::string_view key) { return {key, mk::flag}; }
constexpr memberSchemaC number(std::string_view key) { return {key, mk::number}; }
constexpr memberSchemaC integer(std::string_view key) { return {key, mk::integer}; }
constexpr memberSchemaC record(std::string_view key) { return {key, mk::record}; }
constexpr memberSchemaC required(memberSchemaC member) {
  member.required = true;
  return member;
}
constexpr memberSchemaC field(memberSchemaC member) {
  member.meta2dField = true;
  return member;
}
constexpr memberSchemaC point() { return field({"POINT", mk::point}); }
constexpr memberSchemaC pointList() {
  memberSchemaC member = point();
  member.repeatable = true;
  return member;
}
constexpr memberSchemaC list(std::string_view key, std::string_view item, memberKind itemKind) {
  memberSchemaC member{key, mk::list};
  member.listItem = item;
  member.listItemKind = itemKind;
  return member;
}

constexpr std::array kDrawing{text("NAME"), list("DRAWINGITEMS", "FIGURE", mk::record), record("SETTINGS")};
constexpr std::array kFigure{text("NAME"),    text("SHORTNAME"),   text("MIDENT"),
                             integer("ANSICHTNO"), flag("GROUP"),  record("CUTOUT"),
                             record("INSERTPOINT"), memberSchemaC{"FIGURITEMS", mk::items}, record("SETTINGS")};
constexpr std::array kCutout{flag("HIDDEN"), flag("DASH")};
constexpr std::array kInsertPoint{point(), number("ROTATION")};
constexpr std::array kSettings{record("ME10SETTINGS")};
constexpr std::array kMe10Settings{list("ME10LAYERLIST", "ME10LAYER", mk::text),
                                   list("ME10LWIDTHLIST", "ME10LWIDTH", mk::number),
                                   list("ME10LCOLORLIST", "ME10LCOLOR", mk::integer)};
constexpr std::array kShapeAttr{integer("SHAPEWIDTH"), integer("SHAPETYP"), integer("METALINETYPE"),
                                integer("COSMETIC")};
constexpr std::array kPointList{pointList()};
constexpr std::array kSinglePoint{required(point())};
constexpr std::array kCircle{required(point()), required(field(number("RAD")))};
constexpr std::array kEllipse{required(point()), required(field(number("RAD1"))), required(field(number("RAD2"))),
                              number("ANGLE")};
constexpr std::array kEllipseArc{required(point()),         required(field(number("RAD1"))),
                                 required(field(number("RAD2"))), number("ANGLE"),
                                 required(number("ANGLE1")), required(number("ANGLE2"))};
constexpr std::array kText{required(point()),       required(text("TEXT")),  required(field(number("HEIGHT"))),
                           field(number("ANGLE")),  integer("TEXTRELPOS"),   integer("TEXTALIGN"),
                           number("TEXTBW"),        number("TEXTBH")};

constexpr std::array kRecords{
    recordSchemaC{"DRAWING", kDrawing},
    recordSchemaC{"FIGURE", kFigure},
    recordSchemaC{"CUTOUT", kCutout},
    recordSchemaC{"INSERTPOINT", kInsertPoint},
    recordSchemaC{"SETTINGS", kSettings},
    recordSchemaC{"ME10SETTINGS", kMe10Settings},
};

constexpr std::array kItems{
    recordSchemaC{"LINE", kPointList, true},      recordSchemaC{"ARC", kPointList, true},
    recordSchemaC{"CIRCLE", kCircle, true},       recordSchemaC{"TEXT", kText, true},
    recordSchemaC{"SHAPEATTR", kShapeAttr, true}, recordSchemaC{"ELLIPSE", kEllipse, true},
    recordSchemaC{"ELLIPSEARC", kEllipseArc, true}, recordSchemaC{"ICRV2D", kPointList, true},
    recordSchemaC{"SPOINT", kSinglePoint, true},
};

constexpr std::array<std::string_view, kItems.size()> kItemKeys{
    "LINE", "ARC", "CIRCLE", "TEXT", "SHAPEATTR", "ELLIPSE", "ELLIPSEARC", "ICRV2D", "SPOINT"};

template <std::size_t N>
constexpr bool membersFit(const std::array<recordSchemaC, N>& records) {
  for (const recordSchemaC& r : records) {
    if (r.members.size() > kMaxMembers) return false;
  }
  return true;
}
static_assert(membersFit(kRecords) && membersFit(kItems));

}  // namespace

const recordSchemaC* recordSchema(std::string_view key) {
  for (const recordSchemaC& schema : kRecords) {
    if (schema.key == key) return &schema;
  }
  return nullptr;
}

const recordSchemaC* itemSchema(std::string_view key) {
  // Most items are lines and arcs: they are found first.
  for (const recordSchemaC& schema : kItems) {
    if (schema.key == key) return &schema;
  }
  return nullptr;
}

std::span<const std::string_view> itemKeys() { return kItemKeys; }

}  // namespace lorvane::cli::lint
