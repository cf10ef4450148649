#pragma once
// The shape of the tree: keys where the writers look for members, values of
// the right kind, points of two numbers, members a shape cannot do without,
// members given twice, items where no writer looks for them.
#include <span>
#include <string_view>

#include "lintContext.h"

namespace lorvane::cli::lint {

// Checks every child of the record against its members and returns where
// the members are; the sub-records are the caller's to walk.
scannedRecordC scanRecord(const metaTreeC* node, const recordSchemaC& schema, lintContextC& context);

// A key that has no place here: a shape or figure out of its list, or an
// unknown key (with the nearest expected one).
void reportStrayKey(const metaTreeC* node, std::span<const std::string_view> expected, lintContextC& context);

// Exactly two numbers; anything else reads as (0, 0).
bool readPoint(const metaTreeC* point, double& x, double& y);

}  // namespace lorvane::cli::lint
