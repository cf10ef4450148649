#include "me10Settings.h"

#include "lorvane/schema/drawingRecords.h"
#include "me10Input.h"

namespace lorvane {

void applyME10Settings(metaTreeC* record, ME10LayerNameTable& layerNames, ME10LineWidthTable& lineWidths,
                       ME10LineColorTable& lineColors) {
  metaObjectC owner(record);
  metaObjectC settings(readNamedRecord(owner, "SETTINGS"));
  metaObjectC me10(readNamedRecord(settings, "ME10SETTINGS"));
  forEachListItem(readNamedRecord(me10, "ME10LAYERLIST"), "ME10LAYER", layerNames.size(),
                  [&](metaTreeC* item, std::size_t i) { layerNames[i] = metaObjectC(item).getString().view(); });
  forEachListItem(readNamedRecord(me10, "ME10LWIDTHLIST"), "ME10LWIDTH", lineWidths.size(),
                  [&](metaTreeC* item, std::size_t i) { lineWidths[i] = metaObjectC(item).getDouble(); });
  // Colours are whole numbers; getInt truncates toward zero.
  forEachListItem(readNamedRecord(me10, "ME10LCOLORLIST"), "ME10LCOLOR", lineColors.size(),
                  [&](metaTreeC* item, std::size_t i) { lineColors[i] = metaObjectC(item).getInt(); });
}

}  // namespace lorvane
