#include "lorvane/geometry/shapePlacement.h"

#include "lorvane/geometry/shapeBase.h"

namespace lorvane {

void transformChain(metaTreeC* first, const transformMatrixC& matrix) {
  for (metaTreeC* item = first; item; item = item->next()) mBaseShape2dC(item).transform(matrix);
}

void scaleChain(metaTreeC* first, double factor) {
  if (factor == 0) return;
  for (metaTreeC* item = first; item; item = item->next()) mBaseShape2dC(item).scale(factor);
}

void transformAll(metaTreeC* parent, const transformMatrixC& matrix) {
  if (parent) transformChain(parent->firstChild(), matrix);
}

void scaleAll(metaTreeC* parent, double factor) {
  if (parent) scaleChain(parent->firstChild(), factor);
}

}  // namespace lorvane
