#include "valueRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "lorvane/util/textUtils.h"
#include "lorvane/writers/meta2d/meta2dRecordText.h"
#include "lorvane/writers/meta2d/tableIdent.h"

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

const metaTreeC* firstChildKeyed(const metaTreeC* node, std::string_view key) {
  const metaTreeC* child = node ? node->firstChild() : nullptr;
  while (child && !child->hasKey(key)) child = child->next();
  return child;
}

// The figures that become MI parts: those with an item other than an
// attribute record (a part without points, elements or texts is dropped),
// or the last figure when none has one. The writer reads the first list.
std::vector<const metaTreeC*> miPartFigures(const metaTreeC* drawing) {
  std::vector<const metaTreeC*> parts;
  const metaTreeC* last = nullptr;
  const metaTreeC* list = firstChildKeyed(drawing, "DRAWINGITEMS");
  for (const metaTreeC* figure = list ? list->firstChild() : nullptr; figure; figure = figure->next()) {
    if (!figure->hasKey("FIGURE")) continue;
    last = figure;
    const metaTreeC* items = firstChildKeyed(figure, "FIGURITEMS");
    const metaTreeC* item = items ? items->firstChild() : nullptr;
    while (item && item->hasKey("SHAPEATTR")) item = item->next();
    if (item) parts.push_back(figure);
  }
  if (parts.empty() && last) parts.push_back(last);
  return parts;
}

bool hasName(const metaTreeC* figure) {
  const metaTreeC* name = firstChildKeyed(figure, "NAME");
  const metaTreeC* value = name ? name->firstChild() : nullptr;
  return value && value->value().isString() && !value->value().text().view().empty();
}

// Whether the drawing's name reaches an MI part name: the top assembly's
// when there are several parts, and that of a part whose figure has none.
bool drawingNameNamesAPart(const metaTreeC* drawing) {
  const std::vector<const metaTreeC*> parts = miPartFigures(drawing);
  return parts.size() > 1 || std::any_of(parts.begin(), parts.end(), [](const metaTreeC* f) { return !hasName(f); });
}

// Whether a figure's name becomes an MI part name.
bool figureIsAPart(const metaTreeC* figure) {
  const metaTreeC* list = figure->parent();
  const metaTreeC* drawing = list ? list->parent() : nullptr;
  if (!list || !list->hasKey("DRAWINGITEMS") || !drawing || !drawing->hasKey("DRAWING")) return true;
  const std::vector<const metaTreeC*> parts = miPartFigures(drawing);
  return std::find(parts.begin(), parts.end(), figure) != parts.end();
}

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
  // The writers' own rules for a text a file cannot hold: a text ending its
  // META2D record with a later line that starts like a record, and an MI
  // name with a line feed. Any other line break is written and read back.
  const std::string_view text = value->value().text().view();
  if (text.find('\n') == std::string_view::npos) return;
  const metaTreeC* record = member->parent();
  const bool inDrawing = record && record->hasKey("DRAWING");
  const bool inFigure = record && record->hasKey("FIGURE");
  std::string where;
  if (member->hasKey("NAME") && inDrawing) {
    if (splitsMeta2dRecord(meta2dNameLineText(text))) where = "META2D record 915";
    else if (breaksItsLine(text) && drawingNameNamesAPart(record)) where = "an MI part name";
  } else if (member->hasKey("NAME") && inFigure) {
    if (splitsMeta2dRecord(text)) where = "META2D record 914";
    else if (breaksItsLine(text) && figureIsAPart(record)) where = "its MI part name";
  } else if (member->hasKey("SHORTNAME") && inFigure) {
    if (splitsMeta2dRecord(text)) where = "META2D record 917";
  } else if (member->hasKey("MIDENT") && inFigure) {
    tableIdentC table;
    table.parse(text);
    if (splitsMeta2dRecord(meta2dTableNameText(table))) where = "META2D record 515";
    else if (splitsMeta2dRecord(meta2dTableListsText(table))) where = "META2D record 520";
  } else if (member->hasKey("TEXT") && record && record->hasKey("TEXT")) {
    if (splitsMeta2dRecord(text)) where = "META2D record 500";
  } else if (member->hasKey("ME10LAYER")) {
    if (breaksItsLine(text)) where = "an MI layer name";
  }
  if (where.empty()) return;
  context.add(lintRule::lineBreakInRecordText, value,
              memberName(member) + " holds a line break that " + where + " cannot hold" +
                  (where.starts_with("META2D") ? ": the next line reads as a record" : ""));
}

void checkSettingsListLength(const metaTreeC* list, std::size_t items, lintContextC& context) {
  if (items <= kUsedSettingsEntries) return;
  context.add(lintRule::settingsListTooLong, list,
              keyText(list) + " has " + std::to_string(items) + " entries: the MI writer uses the first " +
                  std::to_string(kUsedSettingsEntries));
}

}  // namespace lorvane::cli::lint
