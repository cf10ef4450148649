#pragma once
// Values the writers read as something else: numbers that are not finite or
// do not fit where they are written, integers beyond 32 bits, codes outside
// their tables, settings lists longer than the writer uses.
#include <cstddef>
#include <string_view>

#include "lintContext.h"

namespace lorvane::cli::lint {

// A number value of the member (for a POINT: each of its numbers).
void checkNumber(const metaTreeC* member, const metaTreeC* value, const memberSchemaC& schema, lintContextC& context);
// The text of a flag member: only "YES" counts.
void checkFlag(const metaTreeC* member, const metaTreeC* value, lintContextC& context);
// A text member: names are single lines.
void checkText(const metaTreeC* member, const metaTreeC* value, lintContextC& context);
void checkSettingsListLength(const metaTreeC* list, std::size_t items, lintContextC& context);

// Whether "%1.24f" cut to 24 characters still shows the value's integer part.
bool fitsMeta2dField(double value);

// "CIRCLE RAD": the member's key after its record's.
std::string memberName(const metaTreeC* member);

}  // namespace lorvane::cli::lint
