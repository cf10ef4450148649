#include "lorvane/lint/drawingLint.h"

#include <array>

#include "geometryRules.h"
#include "identificationRules.h"
#include "keySuggestion.h"
#include "structureRules.h"

namespace lorvane::cli::lint {
namespace {

void lintRecordMember(const scannedRecordC& owner, std::string_view key, lintContextC& context);

void lintRecord(const metaTreeC* node, lintContextC& context) {
  const recordSchemaC* schema = recordSchema(node->value().text().view());
  if (!schema) return;
  const scannedRecordC record = scanRecord(node, *schema, context);
  for (const memberSchemaC& member : schema->members) {
    if (member.kind == memberKind::record) lintRecordMember(record, member.key, context);
  }
}

// Only the first of a repeated record is read; the others were told as
// repeated and are not looked into.
void lintRecordMember(const scannedRecordC& owner, std::string_view key, lintContextC& context) {
  if (const metaTreeC* member = owner.member(key)) lintRecord(member, context);
}

void lintItems(const metaTreeC* items, lintContextC& context) {
  for (const metaTreeC* item = items->firstChild(); item; item = item->next()) {
    if (!item->isKey()) {
      context.add(lintRule::unknownItem, item,
                  "FIGURITEMS holds " + describeValue(item) + " where items belong: it writes nothing");
      continue;
    }
    const recordSchemaC* schema = itemSchema(item->value().text().view());
    if (!schema) {
      const std::string key = keyText(item);
      std::string message = "FIGURITEMS item " + key + " is no shape: it writes nothing";
      const std::string_view near = nearestKey(key, itemKeys());
      if (!near.empty()) message += " (did you mean " + std::string(near) + "?)";
      context.add(lintRule::unknownItem, item, std::move(message));
      continue;
    }
    checkShapeGeometry(scanRecord(item, *schema, context), context);
  }
}

std::string figureName(const metaTreeC* figure) {
  for (const metaTreeC* c = figure->firstChild(); c; c = c->next()) {
    if (c->hasKey("NAME")) {
      const metaTreeC* value = stringValue(c);
      return value ? std::string(value->value().text().view()) : std::string();
    }
  }
  return {};
}

void lintFigure(const metaTreeC* figure, std::size_t number, lintContextC& context) {
  context.enterFigure(figureName(figure), number);
  const scannedRecordC record = scanRecord(figure, *recordSchema("FIGURE"), context);
  checkName(record.member("NAME"), context);
  checkTableIdent(record.member("MIDENT"), context);
  lintRecordMember(record, "CUTOUT", context);
  lintRecordMember(record, "INSERTPOINT", context);
  lintRecordMember(record, "SETTINGS", context);
  if (const metaTreeC* items = record.member("FIGURITEMS")) lintItems(items, context);
}

void lintDrawing(const metaTreeC* drawing, lintContextC& context) {
  const scannedRecordC record = scanRecord(drawing, *recordSchema("DRAWING"), context);
  checkName(record.member("NAME"), context);
  lintRecordMember(record, "SETTINGS", context);
  const metaTreeC* list = record.member("DRAWINGITEMS");
  if (!list) return;
  static constexpr std::array<std::string_view, 1> kFigureKey{"FIGURE"};
  std::size_t number = 0;
  for (const metaTreeC* c = list->firstChild(); c; c = c->next()) {
    if (c->hasKey("FIGURE")) {
      lintFigure(c, ++number, context);
      continue;
    }
    context.enterFigure({}, 0);
    if (c->isKey()) {
      reportStrayKey(c, kFigureKey, context);
    } else {
      context.add(lintRule::valueAmongMembers, c,
                  "DRAWINGITEMS holds " + describeValue(c) + " where only FIGUREs are read: ignored");
    }
  }
}

}  // namespace

void lintChain(const metaTreeC* chain, const std::string& file, lintReportC& report) {
  lintContextC context(file, report);
  if (!chain) {
    context.add(lintRule::rootNotDrawing, nullptr, "the file holds no drawing: nothing is converted");
    return;
  }
  if (chain->hasKey("DRAWING")) {
    lintDrawing(chain, context);
  } else if (chain->hasKey("FIGURE")) {
    lintFigure(chain, 1, context);
  } else {
    static constexpr std::array<std::string_view, 2> kRoots{"DRAWING", "FIGURE"};
    std::string message = "the file starts with " + describeValue(chain) + ", neither a DRAWING nor a FIGURE: "
                          "the writers reject it";
    const std::string_view near = chain->isKey() ? nearestKey(keyText(chain), kRoots) : std::string_view();
    if (!near.empty()) message += " (did you mean " + std::string(near) + "?)";
    context.add(lintRule::rootNotDrawing, chain, std::move(message));
  }
  if (chain->next()) {
    context.enterFigure({}, 0);
    context.add(lintRule::elementsAfterDrawing, chain->next(),
                describeValue(chain->next()) + " follows the drawing: only the first element is converted");
  }
}

}  // namespace lorvane::cli::lint
