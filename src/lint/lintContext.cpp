#include "lintContext.h"

#include "lorvane/metatree/metaTextNumber.h"

namespace lorvane::cli::lint {

void lintContextC::add(lintRule rule, const metaTreeC* at, std::string message) {
  // Without a node the finding concerns the file as a whole: its first line.
  std::size_t line = at ? 0 : 1;
  for (const metaTreeC* node = at; node; node = node->parent()) {
    if (node->value().tagLine() > 0) {
      line = static_cast<std::size_t>(node->value().tagLine());
      break;
    }
  }
  report_.add(findingC{file_, line, rule, std::move(message), figureName_, figureNumber_});
}

const metaTreeC* scannedRecordC::member(std::string_view key) const {
  for (std::size_t i = 0; i < schema->members.size(); ++i) {
    if (schema->members[i].key == key) return first[i];
  }
  return nullptr;
}

std::uint32_t scannedRecordC::countOf(std::string_view key) const {
  for (std::size_t i = 0; i < schema->members.size(); ++i) {
    if (schema->members[i].key == key) return count[i];
  }
  return 0;
}

std::string keyText(const metaTreeC* node) { return std::string(node->value().text().view()); }

std::string numberText(double value) {
  char buffer[kTextNumberMaxChars + 1];
  const std::size_t length = formatTextNumber(value, buffer);
  return std::string(buffer, length);
}

std::string quotedText(std::string_view text) {
  std::string quoted = "\"";
  quoted += text;
  quoted += '"';
  return quoted;
}

std::string counted(std::size_t count, std::string_view noun) {
  std::string text = std::to_string(count) + " " + std::string(noun);
  if (count != 1) text += 's';
  return text;
}

std::string describeValue(const metaTreeC* value) {
  if (!value) return "nothing";
  if (value->value().isNumber()) return "the number " + numberText(value->value().number());
  if (value->value().isString()) return "the text " + quotedText(value->value().text().view());
  if (value->value().isKey()) return "the key " + keyText(value);
  return "a value of another kind";
}

bool numberValue(const metaTreeC* member, double& value) {
  const metaTreeC* first = member ? member->firstChild() : nullptr;
  if (!first || !first->value().isNumber()) return false;
  value = first->value().number();
  return true;
}

const metaTreeC* stringValue(const metaTreeC* member) {
  const metaTreeC* first = member ? member->firstChild() : nullptr;
  return first && first->value().isString() ? first : nullptr;
}

}  // namespace lorvane::cli::lint
