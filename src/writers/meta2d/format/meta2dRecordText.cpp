#include "lorvane/writers/meta2d/meta2dRecordText.h"

#include <cstdio>

#include "lorvane/writers/meta2d/meta2dRecordCodes.h"

namespace lorvane {

bool splitsMeta2dRecord(std::string_view text) {
  for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) {
    const std::string_view line = text.substr(at + 1, 4);
    if (line.size() < 4 || line[3] != ' ') continue;
    int code = 0;
    bool digits = true;
    for (std::size_t i = 0; i < 3; ++i) {
      digits = digits && line[i] >= '0' && line[i] <= '9';
      code = code * 10 + (line[i] - '0');
    }
    if (digits && isMeta2dRecordCode(code)) return true;
  }
  return false;
}

std::string meta2dNameLineText(std::string_view name) {
  std::string text(name);
  for (char& c : text) {
    if (c == ' ') c = '_';
  }
  return text;
}

std::string meta2dTableNameText(const tableIdentC& table) { return table.tableName(); }

std::string meta2dTableListsText(const tableIdentC& table) {
  const std::string first = tableListText(table.firstList());
  char length[32];
  std::snprintf(length, sizeof length, "%03d", static_cast<int>(first.size() + 2));
  return length + first + "   " + tableListText(table.secondList());
}

}  // namespace lorvane
