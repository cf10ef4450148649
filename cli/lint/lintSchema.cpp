#include "lint/lintSchema.h"

#include <array>

namespace lorvane::cli::lint {
namespace {

using mk = memberKind;

constexpr memberSpecC text(std::string_view key) { return {key, mk::text}; }
constexpr memberSpecC flag(std::string_view key) { return {key, mk::flag}; }
constexpr memberSpecC number(std::string_view key) { return {key, mk::number}; }
constexpr memberSpecC integer(std::string_view key) { return {key, mk::integer}; }
constexpr memberSpecC record(std::string_view key) { return {key, mk::record}; }
constexpr memberSpecC required(memberSpecC member) {
  member.required = true;
  return member;
}
constexpr memberSpecC field(memberSpecC member) {
  member.meta2dField = true;
  return member;
}
constexpr memberSpecC point() { return field({"POINT", mk::point}); }
constexpr memberSpecC pointList() {
  memberSpecC member = point();
  member.repeatable = true;
  return member;
}
constexpr memberSpecC list(std::string_view key, std::string_view item, memberKind itemKind) {
  memberSpecC member{key, mk::list};
  member.listItem = item;
  member.listItemKind = itemKind;
  return member;
}

constexpr std::array kDrawing{text("NAME"), list("DRAWINGITEMS", "FIGURE", mk::record), record("SETTINGS")};
constexpr std::array kFigure{text("NAME"),    text("SHORTNAME"),   text("MIDENT"),
                             integer("ANSICHTNO"), flag("GROUP"),  record("CUTOUT"),
                             record("INSERTPOINT"), memberSpecC{"FIGURITEMS", mk::items}, record("SETTINGS")};
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
    recordSpecC{"DRAWING", kDrawing},
    recordSpecC{"FIGURE", kFigure},
    recordSpecC{"CUTOUT", kCutout},
    recordSpecC{"INSERTPOINT", kInsertPoint},
    recordSpecC{"SETTINGS", kSettings},
    recordSpecC{"ME10SETTINGS", kMe10Settings},
};

constexpr std::array kItems{
    recordSpecC{"LINE", kPointList, true},      recordSpecC{"ARC", kPointList, true},
    recordSpecC{"CIRCLE", kCircle, true},       recordSpecC{"TEXT", kText, true},
    recordSpecC{"SHAPEATTR", kShapeAttr, true}, recordSpecC{"ELLIPSE", kEllipse, true},
    recordSpecC{"ELLIPSEARC", kEllipseArc, true}, recordSpecC{"ICRV2D", kPointList, true},
    recordSpecC{"SPOINT", kSinglePoint, true},
};

constexpr std::array<std::string_view, kItems.size()> kItemKeys{
    "LINE", "ARC", "CIRCLE", "TEXT", "SHAPEATTR", "ELLIPSE", "ELLIPSEARC", "ICRV2D", "SPOINT"};

template <std::size_t N>
constexpr bool membersFit(const std::array<recordSpecC, N>& records) {
  for (const recordSpecC& r : records) {
    if (r.members.size() > kMaxMembers) return false;
  }
  return true;
}
static_assert(membersFit(kRecords) && membersFit(kItems));

}  // namespace

const recordSpecC* recordSpec(std::string_view key) {
  for (const recordSpecC& spec : kRecords) {
    if (spec.key == key) return &spec;
  }
  return nullptr;
}

const recordSpecC* itemSpec(std::string_view key) {
  // Most items are lines and arcs: they are found first.
  for (const recordSpecC& spec : kItems) {
    if (spec.key == key) return &spec;
  }
  return nullptr;
}

std::span<const std::string_view> itemKeys() { return kItemKeys; }

}  // namespace lorvane::cli::lint
