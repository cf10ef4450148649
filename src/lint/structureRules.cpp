#include "structureRules.h"

#include <array>

#include "keySuggestion.h"
#include "valueRules.h"

namespace lorvane::cli::lint {
namespace {

std::string_view kindName(memberKind kind) {
  switch (kind) {
    case memberKind::text:
    case memberKind::flag: return "a text";
    case memberKind::number:
    case memberKind::integer: return "a number";
    default: return "members";
  }
}

std::string_view defaultOf(memberKind kind) {
  return kind == memberKind::text || kind == memberKind::flag ? "\"\"" : "0";
}

// A text or number member: its first child is its value.
void checkSingleValue(const metaTreeC* member, const memberSchemaC& schema, lintContextC& context) {
  const metaTreeC* value = member->firstChild();
  if (!value) {
    context.add(lintRule::memberWithoutValue, member,
                memberName(member) + " has no value: read as " + std::string(defaultOf(schema.kind)));
    return;
  }
  const bool wantsText = schema.kind == memberKind::text || schema.kind == memberKind::flag;
  const bool right = wantsText ? value->value().isString() : value->value().isNumber();
  if (!right) {
    std::string message = memberName(member) + " holds " + describeValue(value) + " where " +
                          std::string(kindName(schema.kind)) + " belongs: read as " + std::string(defaultOf(schema.kind));
    if (wantsText && value->value().isKey()) message += " (a text needs double quotes)";
    context.add(lintRule::wrongValueKind, value, std::move(message));
  } else if (wantsText) {
    if (schema.kind == memberKind::flag) checkFlag(member, value, context);
    else checkText(member, value, context);
  } else {
    checkNumber(member, value, schema, context);
  }
  if (value->next()) {
    context.add(lintRule::extraValues, value->next(),
                memberName(member) + " has more than one value: only the first counts");
  }
}

void checkPoint(const metaTreeC* member, const memberSchemaC& schema, lintContextC& context) {
  std::size_t numbers = 0;
  const metaTreeC* other = nullptr;
  for (const metaTreeC* c = member->firstChild(); c; c = c->next()) {
    if (c->value().isNumber()) {
      ++numbers;
      checkNumber(member, c, schema, context);
    } else if (!other) {
      other = c;
    }
  }
  if (numbers != 2) {
    context.add(lintRule::badPoint, member,
                memberName(member) + " holds " + counted(numbers, "number") + " instead of two: read as (0, 0)");
  } else if (other) {
    context.add(lintRule::extraValues, other,
                memberName(member) + " holds " + describeValue(other) + " besides its two numbers: ignored");
  }
}

// The items of a settings list; other keys are skipped by the writer.
void checkList(const metaTreeC* list, const memberSchemaC& schema, lintContextC& context) {
  const memberSchemaC item{schema.listItem, schema.listItemKind};
  const std::array<std::string_view, 1> expected{schema.listItem};
  std::size_t items = 0;
  for (const metaTreeC* c = list->firstChild(); c; c = c->next()) {
    if (c->hasKey(schema.listItem)) {
      ++items;
      checkSingleValue(c, item, context);
    } else if (!c->isKey()) {
      context.add(lintRule::valueAmongMembers, c,
                  keyText(list) + " holds " + describeValue(c) + " where only " + std::string(schema.listItem) +
                      " items are read: ignored");
    } else {
      reportStrayKey(c, expected, context);
    }
  }
  checkSettingsListLength(list, items, context);
}

void checkMember(const metaTreeC* member, const memberSchemaC& schema, lintContextC& context) {
  switch (schema.kind) {
    case memberKind::text:
    case memberKind::flag:
    case memberKind::number:
    case memberKind::integer: checkSingleValue(member, schema, context); break;
    case memberKind::point: checkPoint(member, schema, context); break;
    case memberKind::list:
      // DRAWINGITEMS holds records: the walk takes it.
      if (schema.listItemKind != memberKind::record) checkList(member, schema, context);
      break;
    case memberKind::record:
    case memberKind::items: break;
  }
}

}  // namespace

bool readPoint(const metaTreeC* point, double& x, double& y) {
  double values[2] = {0, 0};
  int count = 0;
  for (const metaTreeC* c = point ? point->firstChild() : nullptr; c; c = c->next()) {
    if (!c->value().isNumber()) continue;
    if (count == 2) return false;
    values[count++] = c->value().number();
  }
  if (count != 2) return false;
  x = values[0];
  y = values[1];
  return true;
}

void reportStrayKey(const metaTreeC* node, std::span<const std::string_view> expected, lintContextC& context) {
  const std::string key = keyText(node);
  const metaTreeC* parent = node->parent();
  const std::string where = parent && parent->isKey() ? keyText(parent) : std::string("the drawing");
  if (itemSchema(key) && !(parent && parent->hasKey("FIGURITEMS"))) {
    context.add(lintRule::itemOutsideItems, node,
                key + " in " + where + " is not drawn: shapes belong in a figure's FIGURITEMS");
    return;
  }
  if (key == "FIGURE" && !(parent && parent->hasKey("DRAWINGITEMS"))) {
    context.add(lintRule::itemOutsideItems, node,
                "FIGURE in " + where + " is not converted: figures belong in the drawing's DRAWINGITEMS");
    return;
  }
  std::string message = where + " has the key " + key + ", which no writer reads";
  const std::string_view near = nearestKey(key, expected);
  if (!near.empty()) message += " (did you mean " + std::string(near) + "?)";
  context.add(lintRule::unknownMember, node, std::move(message));
}

scannedRecordC scanRecord(const metaTreeC* node, const recordSchemaC& schema, lintContextC& context) {
  scannedRecordC record;
  record.node = node;
  record.schema = &schema;
  const std::span<const memberSchemaC> members = schema.members;
  for (const metaTreeC* c = node->firstChild(); c; c = c->next()) {
    if (!c->isKey()) {
      context.add(lintRule::valueAmongMembers, c,
                  keyText(node) + " holds " + describeValue(c) + " where only members are read: ignored");
      continue;
    }
    std::size_t i = 0;
    while (i < members.size() && !c->hasKey(members[i].key)) ++i;
    if (i == members.size()) {
      std::array<std::string_view, kMaxMembers> expected{};
      for (std::size_t m = 0; m < members.size(); ++m) expected[m] = members[m].key;
      reportStrayKey(c, std::span(expected.data(), members.size()), context);
      continue;
    }
    if (record.count[i]++ == 0) {
      record.first[i] = c;
    } else if (!members[i].repeatable) {
      context.add(lintRule::repeatedMember, c,
                  memberName(c) + " is given again: only the first one counts");
      continue;
    }
    checkMember(c, members[i], context);
  }
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (members[i].required && record.count[i] == 0) {
      context.add(lintRule::missingMember, node,
                  keyText(node) + " has no " + std::string(members[i].key) + ": read as " +
                      (members[i].kind == memberKind::point ? std::string("(0, 0)")
                                                            : std::string(defaultOf(members[i].kind))));
    }
  }
  return record;
}

}  // namespace lorvane::cli::lint
