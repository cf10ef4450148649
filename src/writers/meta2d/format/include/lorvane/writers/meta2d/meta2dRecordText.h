#pragma once
// The texts META2D records end with, and which of them a file cannot hold.
// The writer reports such a text; lint finds it beforehand by the same rule.
#include <string>
#include <string_view>

#include "lorvane/writers/meta2d/tableIdent.h"

namespace lorvane {

// A text that ends its record may hold line feeds: a reader takes each line
// after one as the text's continuation, unless the line starts like a record
// (a record code and a blank), which it cannot tell apart from one. True
// for such a text. Carriage returns are kept as they are.
bool splitsMeta2dRecord(std::string_view text);

// The name on the file's first line (record 915): blanks become underscores.
std::string meta2dNameLineText(std::string_view name);

// The texts of records 515 (the table's name) and 520 (its two lists) for a
// figure's table identification.
std::string meta2dTableNameText(const tableIdentC& table);
std::string meta2dTableListsText(const tableIdentC& table);

}  // namespace lorvane
