#include "lorvane/writers/me10/me10Writer.h"

#include <cstdint>
#include <limits>

#include "lorvane/schema/drawingRecords.h"
#include "lorvane/util/textUtils.h"
#include "me10Input.h"
#include "me10Settings.h"
#include "lorvane/writers/me10/miFile.h"

namespace lorvane {
namespace {

// Both building the model and writing it take long on large drawings; the
// building gets this share of the progress, the writing the rest.
constexpr double kModelShare = 60.0;

}  // namespace

double ME10Writer::conversionShare() const { return kModelShare; }

outputOutcome ME10Writer::finishOutput(const std::string& outputPath) {
  // Pruning may free the part being filled.
  currentPart_ = nullptr;

  // A rejected input still gets the file of the empty model.
  miFileWatchC watch;
  watch.meter = &meter();
  watch.from = kModelShare;
  watch.to = 100.0;
  watch.unrepresentable = [this](unrepresentableKind kind, std::string_view figure, std::size_t position,
                                 const char* record) { reportUnrepresentable(kind, figure, position, record); };
  return writeMiFile(*this, outputPath, localTimestamp(), watch);
}

void ME10Writer::processDrawing(metaTreeC* node) {
  applySettings(node);
  drawingRecordC drawing(node);
  drawingName_ = drawing.name();
  setModelName(drawingName_);
  // Reading a figure changes the tree below the figure only, never the list
  // itself, so the list is walked by its links: a cached list view would
  // search from the start for every figure once the tree has changed.
  forEachListItem(readNamedRecord(drawing, kDrawingItemsKey), kFigureKey, std::numeric_limits<std::size_t>::max(),
                  [&](metaTreeC* figure, std::size_t) { processFigure(figure); });
}

void ME10Writer::processFigure(metaTreeC* node) {
  meter().mark();
  applySettings(node);
  figureRecordC figure(node);
  std::string name(figure.name());
  if (name.empty()) {
    name = drawingName_ + "_" + std::to_string(unnamedFigures_);
    unnamedFigures_ = addNumbers(unnamedFigures_, 1);
  }
  insertPointRecordC placement = figure.insertPoint();
  const point2dC at = placement.point();
  const double rotation = placement.rotation();
  const ME10Point position{at.x, at.y};

  ME10Part& part = addPart();
  currentPart_ = &part;
  part.setName(name, static_cast<std::int32_t>(parts().size()));
  part.setPosition(position.x, position.y);
  insertionPoint_ = position;

  // Only rotated: the insertion point travels as the part's position.
  figureItemsRecordC items = figure.items();
  items.rotate(rotation);
  if (metaTreeC* first = items.firstItem()) {
    setAttributes(0, 0);
    processItems(first, 0);
  }
}

void ME10Writer::applySettings(metaTreeC* record) { applyME10Settings(record, layerNames, lineWidths, lineColors); }

void ME10Writer::setAttributes(std::int32_t lineType, std::int32_t cosmetic) {
  if (!currentPart_) return;
  ME10AttributeChoice choice = chooseAttributes(lineType, cosmetic, layerNames, lineWidths, lineColors);
  // The layer is registered whether or not a shape then uses it.
  const std::size_t known = layers().size();
  const std::int32_t layer = layerIndex(choice.layerName);
  // A layer name stands on the one line of its record; it is checked once,
  // for the figure that brings it.
  if (layers().size() > known && breaksItsLine(choice.layerName)) {
    reportUnrepresentable(unrepresentableKind::text, currentPart_->name(),
                          static_cast<std::size_t>(currentPart_->number()), "ASSP");
  }
  currentPart_->setAttributes({layer, std::move(choice.width), std::move(choice.colour), choice.lineTypeCode});
}

}  // namespace lorvane
