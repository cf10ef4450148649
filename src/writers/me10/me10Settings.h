#pragma once
#include "lorvane/metatree/metaTree.h"
#include "lorvane/writers/me10/me10Attributes.h"

namespace lorvane {

// Takes over the ME10LAYERLIST, ME10LWIDTHLIST and ME10LCOLORLIST of the
// record's SETTINGS / ME10SETTINGS (a drawing or a figure). Item i of a list
// sets entry i of its table; entries without an item keep their values, and
// items beyond a table's end are ignored.
void applyME10Settings(metaTreeC* record, ME10LayerNameTable& layerNames, ME10LineWidthTable& lineWidths,
                       ME10LineColorTable& lineColors);

}  // namespace lorvane
