#pragma once
// Shapes the writers turn into geometry the author did not mean: arcs
// through points on one line, radii of zero or below, lines of no length,
// curves of one point, arcs whose sweep the 359.9999-degree rule changes.
#include "lintContext.h"

namespace lorvane::cli::lint {

// One FIGURITEMS item whose members scanRecord has found.
void checkShapeGeometry(const scannedRecordC& shape, lintContextC& context);

}  // namespace lorvane::cli::lint
