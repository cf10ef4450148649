#include "lorvane/document/m2dFigure.h"

#include <algorithm>

#include "documentUnits.h"
#include "lorvane/geometry/namedChildren.h"
#include "lorvane/geometry/pointList.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeLine.h"
#include "lorvane/geometry/shapePlacement.h"

namespace lorvane {

namespace {

bool isListed(const metaTreeC* item, const classNameListC& classNames) {
  if (!item->isKey()) return false;
  const std::string_view name = item->value().text().view();
  return std::any_of(classNames.begin(), classNames.end(), [&](const std::string& n) { return n == name; });
}

// Moves every child of the holder behind the appender's last child.
void moveChildren(metaTreeC* holder, childAppenderC& appender) {
  while (metaTreeC* child = holder->firstChild()) {
    metaTreeC::unlink(child);
    appender.append(child);
  }
}

void removeChildren(metaTreeC* parent, std::string_view key) {
  metaObjectC owner(parent);
  while (metaTreeC* child = owner.findChild(key)) {
    metaTreeC::unlink(child);
    delete child;
  }
}

template <class F>
void forEachChild(metaTreeC* parent, std::string_view key, F&& f) {
  for (metaTreeC* child = parent ? parent->firstChild() : nullptr; child; child = child->next()) {
    if (child->hasKey(key)) f(child);
  }
}

}  // namespace

int m2dFigureC::convertItems(int mode, const classNameListC& classNames) {
  metaTreeC* items = findChild(kFigureItemsKey);
  if (!items) return 0;
  metaObjectC replacement = metaObjectVirtualDataBaseC::createTree(kFigureItemsKey, true);
  childAppenderC appender(replacement.node());
  int created = 0;
  for (metaTreeC* item = items->firstChild(); item; item = item->next()) {
    const bool listed = isListed(item, classNames);
    if ((listed && mode == 0) || (!listed && mode == 1)) {
      // Each conversion goes to a holder of its own, so the new list is never
      // searched for its end.
      metaObjectC pieces = metaObjectVirtualDataBaseC::createTree(kFigureItemsKey, true);
      created += mBaseShape2dC(item).toLinesAndArcs(kConvertStep, kConvertTolerance, pieces.node());
      moveChildren(pieces.node(), appender);
    } else {
      appender.append(metaObjectC(item).copyTree(true, true));
    }
  }
  if (created == 0) return 0;
  // The hatch loops refer to items that are gone now.
  if (metaTreeC* hatches = findChild(kHatchesKey)) {
    forEachChild(hatches, kHatchKey, [](metaTreeC* hatch) { removeChildren(hatch, kHatchLoopsKey); });
  }
  metaTreeC::unlink(items);
  delete items;
  metaTreeC* fresh = replacement.node();
  replacement.detach(false);
  metaTreeC::appendChildren(fresh, node());
  return created;
}

void m2dFigureC::setUnitBase(double unit) {
  if (!node()) return;
  const double old = readUnitBase(*this, kFigurePrefsKey);
  if (old == unit) return;
  const double f = old / unit;
  scaleAll(findChild(kFigureItemsKey), f);
  metaObjectC insert(getOrAddChild(kInsertPointKey));
  writeNamedPoint(insert, kPointKey, scaled(readNamedPoint(insert, kPointKey), f));
  scaleDxfOffsets(*this, f);
  if (metaTreeC* hatches = findChild(kHatchesKey)) {
    forEachChild(hatches, kHatchKey, [&](metaTreeC* hatch) {
      metaObjectC h(hatch);
      multiplyNumber(h, kHatchDistanceKey, f);
      forEachChild(h.findChild(kHatchLinesKey), kShapeLine, [&](metaTreeC* line) { mBaseLine2dC(line).scale(f); });
    });
  }
  writeUnitBase(*this, kFigurePrefsKey, unit);
}

documentNodeListC& m2dFigureC::collectDocuments(documentNodeListC& documents) {
  if (node()) documents.push_back(node());
  return documents;
}

}  // namespace lorvane
