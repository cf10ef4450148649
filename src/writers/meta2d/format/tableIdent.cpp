#include "lorvane/writers/meta2d/tableIdent.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace lorvane {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Only ASCII digits count; the text is bytes in the host's code page.
bool isDigit(char c) { return c >= '0' && c <= '9'; }

const std::string& entryField(const std::vector<tableVariableC>& list,
                              std::size_t index, std::string tableVariableC::*field) {
  static const std::string none;
  return index < list.size() ? list[index].*field : none;
}

// Reads the decimal count at `pos`. No count larger than `limit` can be
// satisfied, so such a count (however many digits it has) comes back empty
// instead of overflowing.
std::optional<std::size_t> readCount(std::string_view text, std::size_t pos,
                                     std::size_t limit) {
  std::size_t count = 0;
  for (; pos < text.size() && isDigit(text[pos]); ++pos) {
    const auto digit = static_cast<std::size_t>(text[pos] - '0');
    if (count > limit / 10) return std::nullopt;
    count *= 10;
    if (digit > limit - count) return std::nullopt;
    count += digit;
  }
  return count;
}

// Entries look like {NAME=VALUE} or "NAME?VALUE"; a backslash in the value
// protects the next character, so a closer can be part of it. Anything that
// does not open with a quote or a brace is passed over up to the next comma.
void parseList(std::string_view text, std::vector<tableVariableC>& list) {
  const std::size_t end = text.size();
  std::size_t i = 0;
  for (;;) {
    while (i < end && (text[i] == ' ' || text[i] == ',')) ++i;
    if (i >= end) return;

    char closer = '\0';
    if (text[i] == '"') {
      closer = '"';
    } else if (text[i] == '{') {
      closer = '}';
    } else {
      const std::size_t comma = text.find(',', i);
      if (comma == npos) return;
      i = comma + 1;
      continue;
    }
    ++i;

    tableVariableC entry;
    // The closer is not looked for in the name: "{N}" names a variable "N}".
    const std::size_t nameEnd = std::min(text.find_first_of("=?", i), end);
    entry.name = text.substr(i, nameEnd - i);
    i = nameEnd;
    if (i < end) {
      entry.marker = text[i] == '=' ? tableVariableC::markerAssign
                                    : tableVariableC::markerQuery;
      ++i;
      while (i < end && text[i] != closer) {
        if (text[i] == '\\' && ++i == end) break;
        entry.value += text[i];
        ++i;
      }
      if (i < end) ++i;  // the closer
    }
    if (!entry.name.empty()) list.push_back(std::move(entry));

    // Normally the comma after the closer. Two entries without a comma
    // between them lose the second one's opener here, and with it the entry.
    ++i;
  }
}

}  // namespace

void tableIdentC::parse(std::string_view text) {
  name_.clear();
  first_.clear();
  second_.clear();

  const std::size_t pos = text.find_first_not_of(" \t");
  if (pos == npos || text.size() - pos < 2) return;

  const char lead = text[pos];
  std::size_t variables = pos;
  if (isDigit(lead)) {
    // No table name: the text is all variables.
  } else if (lead == '"' || lead == '{') {
    const char closer = lead == '"' ? '"' : '}';
    const std::size_t close = text.find(closer, pos + 1);
    if (close == npos) return;
    name_ = text.substr(pos + 1, close - pos - 1);
    variables = text.find(',', close + 1);
    if (variables == npos) return;
  } else {
    variables = text.find(',', pos);
    if (variables == npos) return;
    name_ = text.substr(pos, variables - pos);
  }
  parseVariables(text.substr(variables));
}

// The variable text may open with a count N: then the first list is the N
// characters after a three-digit count field and its separator, and the
// second list is whatever follows them.
void tableIdentC::parseVariables(std::string_view text) {
  const std::size_t pos = text.find_first_not_of(", \t");
  if (pos == npos) return;

  std::string_view firstText;
  std::string_view secondText = text.substr(pos);
  if (isDigit(text[pos])) {
    const std::size_t listStart = pos + 4;
    if (listStart > text.size()) return;
    const std::optional<std::size_t> count =
        readCount(text, pos, text.size() - listStart);
    if (!count) return;
    firstText = text.substr(listStart, *count);
    secondText = text.substr(listStart + *count);
  }
  if (!firstText.empty()) parseList(firstText, first_);
  if (!secondText.empty()) parseList(secondText, second_);
}

const std::string& tableIdentC::firstName(std::size_t index) const {
  return entryField(first_, index, &tableVariableC::name);
}

const std::string& tableIdentC::firstValue(std::size_t index) const {
  return entryField(first_, index, &tableVariableC::value);
}

const std::string& tableIdentC::secondName(std::size_t index) const {
  return entryField(second_, index, &tableVariableC::name);
}

const std::string& tableIdentC::secondValue(std::size_t index) const {
  return entryField(second_, index, &tableVariableC::value);
}

std::string tableListText(const std::vector<tableVariableC>& list) {
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) text += ',';
    text += '"';
    text += list[i].name;
    text += '=';
    text += list[i].value;
    text += '"';
  }
  return text;
}

}  // namespace lorvane
