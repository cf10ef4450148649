// The MIDENT parser and the text utilities on any text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzzSupport.h"
#include "lorvane/util/textUtils.h"
#include "lorvane/writers/meta2d/tableIdent.h"

using namespace lorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const char separator = static_cast<char>(data[0]);
  const char quote = static_cast<char>(data[1]);
  const int mode = data[2] % 5;
  const bool skipEmpty = data[3] & 1;
  const std::string text(reinterpret_cast<const char*>(data + 4), size - 4);

  tableIdentC ident;
  ident.parse(text);
  const std::string first = tableListText(ident.firstList());
  const std::string second = tableListText(ident.secondList());
  if (ident.firstCount() != ident.firstList().size() || ident.secondCount() != ident.secondList().size())
    fuzz::fault("counts disagree with the lists");
  for (std::size_t i = 0; i <= ident.firstCount(); ++i) (void)ident.firstName(i).size();
  if (!ident.secondName(ident.secondCount()).empty()) fuzz::fault("index past the end is not empty");
  ident.parse(text);  // parsing again replaces, it does not add
  if (tableListText(ident.firstList()) != first || tableListText(ident.secondList()) != second)
    fuzz::fault("second parse differs");

  const std::string chars = text.substr(0, text.size() < 3 ? text.size() : 3);
  const std::string trimmed = trimChars(text, mode, chars);
  if (trimmed.size() > text.size()) fuzz::fault("trimming made the text longer");
  if ((mode < 1 || mode > 3) && trimmed != text) fuzz::fault("unknown mode changed the text");

  const std::vector<std::string> fields = splitFields(text, separator, quote, skipEmpty);
  std::size_t total = 0;
  for (const std::string& field : fields) total += field.size();
  if (total > text.size()) fuzz::fault("fields hold more than the text");

  if (size >= 4 + sizeof(double)) {
    double value;
    std::memcpy(&value, data + 4, sizeof value);
    const int precision = static_cast<int>(data[2]) - 1;  // -1 to 254
    const std::string formatted = formatDouble(value, precision, separator == '\0' ? '.' : separator);
    if (formatted.empty()) fuzz::fault("no digits for a number");
    std::int32_t whole;
    std::memcpy(&whole, data + 4, sizeof whole);
    if (formatInt(whole) != std::to_string(whole)) fuzz::fault("integer text differs");
  }
  return 0;
}
