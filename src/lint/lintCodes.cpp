#include "lorvane/lint/lintCodes.h"

#include <array>

namespace lorvane::cli::lint {
namespace {

constexpr lintSeverity error = lintSeverity::error;
constexpr lintSeverity warning = lintSeverity::warning;
constexpr lintSeverity note = lintSeverity::note;

// In the order of lintRule; describe() relies on it.
constexpr std::array kCodes{
    lintCodeC{lintRule::rootNotDrawing, "L101", error, "DRAWING, FIGURE",
              "the first element is neither a DRAWING nor a FIGURE: nothing is converted"},
    lintCodeC{lintRule::elementsAfterDrawing, "L102", warning, "DRAWING, FIGURE",
              "elements after the drawing are not read"},
    lintCodeC{lintRule::unknownMember, "L103", warning, "any record",
              "a key the writers do not look for: the member it may have been meant as takes its default"},
    lintCodeC{lintRule::unknownItem, "L104", warning, "FIGURITEMS",
              "an item that is no shape: it writes nothing"},
    lintCodeC{lintRule::valueAmongMembers, "L105", warning, "any record",
              "a value where only member keys are read: it is ignored"},
    lintCodeC{lintRule::memberWithoutValue, "L110", note, "any member",
              "a member without a value reads as \"\", 0 or (0, 0)"},
    lintCodeC{lintRule::wrongValueKind, "L111", error, "any member",
              "a value of the wrong kind (a text for a number, a number or key for a text) reads as the default"},
    lintCodeC{lintRule::extraValues, "L112", warning, "any member",
              "values after the first one (for POINT: values that are not numbers) are ignored"},
    lintCodeC{lintRule::badPoint, "L120", error, "POINT",
              "a POINT without exactly two numbers reads as (0, 0)"},
    lintCodeC{lintRule::missingPoints, "L121", error, "LINE, ARC",
              "a LINE with fewer than two POINTs or an ARC with fewer than three: the missing ones read as (0, 0)"},
    lintCodeC{lintRule::extraPoints, "L122", warning, "LINE, ARC",
              "POINTs after the second of a LINE or the third of an ARC are ignored"},
    lintCodeC{lintRule::missingMember, "L123", error, "CIRCLE, ELLIPSE, ELLIPSEARC, TEXT, SPOINT",
              "a shape without a member it is drawn from (POINT, RAD, RAD1, RAD2, ANGLE1, ANGLE2, TEXT, HEIGHT)"},
    lintCodeC{lintRule::repeatedMember, "L124", warning, "any member",
              "a repeated member: only the first counts"},
    lintCodeC{lintRule::itemOutsideItems, "L125", warning, "FIGURITEMS, DRAWINGITEMS",
              "a shape outside FIGURITEMS or a FIGURE outside DRAWINGITEMS is not drawn"},
    lintCodeC{lintRule::nonFinite, "L201", error, "any number",
              "an infinite number or not a number"},
    lintCodeC{lintRule::meta2dFieldOverflow, "L202", error, "POINT, RAD, RAD1, RAD2, HEIGHT, ANGLE of TEXT, ARC",
              "a number META2D's 24-character field cannot hold: the file shows another number"},
    lintCodeC{lintRule::integerOutOfRange, "L203", error,
              "ANSICHTNO, SHAPEWIDTH, SHAPETYP, METALINETYPE, COSMETIC, TEXTRELPOS, TEXTALIGN, ME10LCOLOR",
              "an integer outside the 32-bit range reads as -2147483648"},
    lintCodeC{lintRule::fractionDropped, "L204", note,
              "ANSICHTNO, SHAPEWIDTH, SHAPETYP, METALINETYPE, COSMETIC, TEXTRELPOS, TEXTALIGN, ME10LCOLOR",
              "an integer member with a fraction: the fraction is dropped"},
    lintCodeC{lintRule::codeOutsideTable, "L205", warning,
              "SHAPETYP, SHAPEWIDTH, METALINETYPE, COSMETIC, TEXTRELPOS, HIDDEN, DASH, GROUP",
              "a code outside its table"},
    lintCodeC{lintRule::settingsListTooLong, "L206", warning, "ME10LAYERLIST, ME10LWIDTHLIST, ME10LCOLORLIST",
              "a settings list longer than the eight entries the MI writer uses"},
    lintCodeC{lintRule::lineBreakInRecordText, "L207", error, "NAME, SHORTNAME, MIDENT, TEXT, ME10LAYER",
              "a line break that would split a META2D record or an MI name"},
    lintCodeC{lintRule::collinearArc, "L301", error, "ARC",
              "an ARC whose points lie on one line or coincide: written about the origin"},
    lintCodeC{lintRule::zeroRadius, "L302", warning, "RAD, RAD1, RAD2", "a radius of zero"},
    lintCodeC{lintRule::negativeRadius, "L303", warning, "RAD, RAD1, RAD2",
              "a negative radius: the formats draw it differently"},
    lintCodeC{lintRule::zeroLengthLine, "L304", warning, "LINE", "a LINE whose two points coincide"},
    lintCodeC{lintRule::curveTooShort, "L305", warning, "ICRV2D, SPOINT",
              "a curve of fewer than two points, or an SPOINT: nothing is drawn"},
    lintCodeC{lintRule::sweepChangedByAngleRule, "L306", error, "ARC, ELLIPSEARC (ANGLE1, ANGLE2)",
              "angles at or above 359.9999 degrees are measured from 0: the arc drawn sweeps another angle"},
    lintCodeC{lintRule::angleAtTurnRule, "L307", note, "ANGLE, ANGLE1, ANGLE2 of ELLIPSE, ELLIPSEARC",
              "an angle at or above 359.9999 degrees is placed as its rest below 359.9999"},
    lintCodeC{lintRule::emptyTableIdent, "L401", warning, "MIDENT",
              "a MIDENT that yields no table entries"},
    lintCodeC{lintRule::unterminatedTableEntry, "L402", warning, "MIDENT",
              "a MIDENT entry without = or ?: its whole text becomes the name, the value is empty"},
    lintCodeC{lintRule::nameWithReplacedCharacter, "L403", warning, "NAME",
              "a figure or drawing name with ~, which the MI file writes as _"},
};

constexpr bool inRuleOrder() {
  for (std::size_t i = 0; i < kCodes.size(); ++i) {
    if (static_cast<std::size_t>(kCodes[i].rule) != i) return false;
  }
  return kCodes.back().rule == lintRule::nameWithReplacedCharacter;
}
static_assert(inRuleOrder(), "one entry per rule, in the order of lintRule");

}  // namespace

const lintCodeC& describe(lintRule rule) { return kCodes[static_cast<std::size_t>(rule)]; }

std::span<const lintCodeC> allLintCodes() { return kCodes; }

std::string_view severityName(lintSeverity severity) {
  switch (severity) {
    case lintSeverity::error: return "error";
    case lintSeverity::warning: return "warning";
    case lintSeverity::note: return "note";
  }
  return "note";
}

}  // namespace lorvane::cli::lint
