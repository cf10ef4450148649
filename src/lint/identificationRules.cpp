#include "identificationRules.h"

#include "lorvane/writers/meta2d/tableIdent.h"

namespace lorvane::cli::lint {
namespace {

void checkEntries(const metaTreeC* member, const std::vector<tableVariableC>& list, lintContextC& context) {
  for (const tableVariableC& entry : list) {
    if (entry.marker != tableVariableC::markerUnterminated) continue;
    context.add(lintRule::unterminatedTableEntry, member,
                "MIDENT entry " + quotedText(entry.name) +
                    " has no = or ?: it is written as a variable of that name with an empty value");
  }
}

}  // namespace

void checkTableIdent(const metaTreeC* midentMember, lintContextC& context) {
  const metaTreeC* value = stringValue(midentMember);
  // An empty MIDENT writes no table records at all.
  if (!value || value->value().text().view().empty()) return;
  tableIdentC table;
  table.parse(value->value().text().view());
  if (table.firstCount() + table.secondCount() == 0) {
    const std::string text = quotedText(value->value().text().view());
    context.add(lintRule::emptyTableIdent, value,
                table.tableName().empty()
                    ? "MIDENT " + text + " yields no table name and no entries: META2D gets a table record "
                      "with an empty name"
                    : "MIDENT " + text + " names the table " + quotedText(table.tableName()) +
                          " but yields no entries (variables are written {NAME=VALUE}, after a comma)");
    return;
  }
  checkEntries(value, table.firstList(), context);
  checkEntries(value, table.secondList(), context);
}

void checkName(const metaTreeC* nameMember, lintContextC& context) {
  const metaTreeC* value = stringValue(nameMember);
  if (!value) return;
  const std::string_view name = value->value().text().view();
  if (name.find('~') == std::string_view::npos) return;
  std::string written(name);
  for (char& c : written) {
    if (c == '~') c = '_';
  }
  const metaTreeC* record = nameMember->parent();
  context.add(lintRule::nameWithReplacedCharacter, value,
              (record && record->hasKey("DRAWING") ? "the drawing's NAME " : "NAME ") + quotedText(name) +
                  " holds ~, which the MI file writes as _: it names it " + quotedText(written));
}

}  // namespace lorvane::cli::lint
