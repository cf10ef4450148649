#pragma once
// Shapes the writers turn into geometry the author did not mean: arcs
// through points on one line, radii of zero or below, lines of no length,
// curves of one point, arcs whose sweep the 359.9999-degree rule changes.
#include "lint/lintContext.h"

namespace lorvane::cli::lint {

// One FIGURITEMS item whose members scanRecord has found.
void checkShapeGeometry(const scannedRecordC& shape, lintContextC& context);

// The angle of a vector against (1, 0) in degrees as the writers measure it:
// [0, 359.9999), an angle at or above 359.9999 reported as its excess.
// With the rule off, the plain angle in [0, 360).
double writerVectorAngle(double x, double y, bool turnRule = true);

}  // namespace lorvane::cli::lint
