#include "valueRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace lorvane::cli::lint {
namespace {

struct codeRangeC {
  std::string_view key;
  double lowest;
  double highest;
  std::string_view meaning;
};

// What each code's reader makes of it. SHAPETYP and SHAPEWIDTH are written
// into three characters of records 900 and 901; a wider number shifts the
// record.
constexpr codeRangeC kCodeRanges[] = {
    {"SHAPETYP", -99, 999, "does not fit the three characters of META2D record 900"},
    {"SHAPEWIDTH", -99, 999, "does not fit the three characters of META2D record 901"},
    {"METALINETYPE", 0, 6, "is no MI line type (0 to 6): layer \"1\", width 0 and colour 7 are used"},
    {"COSMETIC", 0, 1, "is neither 0 nor 1: only 1 marks shapes cosmetic"},
    {"TEXTRELPOS", 1, 9, "is no text position (1 to 9): it reaches the MI file unchanged"},
};

}  // namespace

std::string memberName(const metaTreeC* member) {
  const metaTreeC* record = member->parent();
  if (!record || !record->isKey()) return keyText(member);
  return keyText(record) + " " + keyText(member);
}

bool fitsMeta2dField(double value) {
  // Below 1e22 the integer part and the point always lie within the 24
  // characters; near the edge the exact expansion decides. The point must
  // stand within the field, since a reader needs it.
  if (std::fabs(value) < 1e22) return true;
  if (!std::isfinite(value)) return false;
  char buffer[400];
  const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 24);
  const char* point = std::find(buffer, written.ptr, '.');
  return point != written.ptr && point - buffer < 24;
}

void checkNumber(const metaTreeC* member, const metaTreeC* value, const memberSchemaC& schema, lintContextC& context) {
  const double number = value->value().number();
  if (!std::isfinite(number)) {
    context.add(lintRule::nonFinite, value, memberName(member) + " is " + numberText(number));
    return;
  }
  if (schema.meta2dField && !fitsMeta2dField(number)) {
    context.add(lintRule::meta2dFieldOverflow, value,
                memberName(member) + " " + numberText(number) + " does not fit a 24-character META2D field");
  }
  if (schema.kind != memberKind::integer) return;
  if (!(number > -2147483649.0 && number < 2147483648.0)) {
    context.add(lintRule::integerOutOfRange, value,
                memberName(member) + " " + numberText(number) + " is outside the 32-bit range: read as -2147483648");
    return;
  }
  const double whole = std::trunc(number);
  if (whole != number) {
    context.add(lintRule::fractionDropped, value,
                memberName(member) + " " + numberText(number) + " is read as " + numberText(whole));
  }
  for (const codeRangeC& range : kCodeRanges) {
    if (member->hasKey(range.key) && (whole < range.lowest || whole > range.highest)) {
      context.add(lintRule::codeOutsideTable, value, memberName(member) + " " + numberText(whole) + " " +
                                                         std::string(range.meaning));
    }
  }
}

void checkFlag(const metaTreeC* member, const metaTreeC* value, lintContextC& context) {
  const std::string_view text = value->value().text().view();
  if (text.empty() || text == "YES" || text == "NO") return;
  context.add(lintRule::codeOutsideTable, value,
              memberName(member) + " " + quotedText(text) + " is read as no: only \"YES\" switches it on");
}

void checkText(const metaTreeC* member, const metaTreeC* value, lintContextC& context) {
  // A TEXT item's line feeds are its lines (in MI); names are single lines.
  const bool isName = member->hasKey("NAME") || member->hasKey("SHORTNAME") || member->hasKey("MIDENT");
  const bool isLayer = member->hasKey("ME10LAYER");
  if (!isName && !isLayer) return;
  const std::string_view text = value->value().text().view();
  if (text.find_first_of("\n\r") == std::string_view::npos) return;
  context.add(lintRule::lineBreakInRecordText, value,
              memberName(member) + " holds a line break, which " +
                  (isLayer ? std::string("an MI layer name cannot hold")
                           : std::string("would split its META2D record") +
                                 (member->hasKey("NAME") ? " and its MI name" : "")));
}

void checkSettingsListLength(const metaTreeC* list, std::size_t items, lintContextC& context) {
  if (items <= kUsedSettingsEntries) return;
  context.add(lintRule::settingsListTooLong, list,
              keyText(list) + " has " + std::to_string(items) + " entries: the MI writer uses the first " +
                  std::to_string(kUsedSettingsEntries));
}

}  // namespace lorvane::cli::lint
