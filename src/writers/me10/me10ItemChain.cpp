// The walk over a figure's items: shapes the MI file holds as they are, and
// every other shape as the lines and arcs it is converted to.
#include "lorvane/document/m2dShapes.h"
#include "lorvane/geometry/arcGeometry.h"
#include "lorvane/schema/drawingRecords.h"
#include "lorvane/writers/me10/me10Attributes.h"
#include "lorvane/writers/me10/me10Writer.h"

namespace lorvane {
namespace {

// What the writers ask of a shape they convert.
constexpr double kConversionStep = 0.01;
constexpr double kConversionTolerance = 0.0001;
// Conversions yield lines, arcs and circles, which need no further
// conversion; the bound only keeps a shape class that answered with shapes
// of its own kind from recursing without end.
constexpr int kMaxConversionDepth = 4;

ME10Point toPoint(const point2dC& p) { return {p.x, p.y}; }

}  // namespace

int ME10Writer::processItems(metaTreeC* first, int depth) {
  int result = 1;
  for (metaTreeC* item = first; item && result == 1; item = item->next()) {
    // Progress counts the figure's own items, not what a shape converts to.
    if (depth == 0) meter().step();
    result = processItem(item, depth);
  }
  return result;
}

int ME10Writer::processItem(metaTreeC* item, int depth) {
  if (item->hasKey("SHAPEATTR")) {
    shapeAttributesRecordC attributes(item);
    const std::int32_t lineType = attributes.metaLineType();
    const std::int32_t cosmetic = attributes.cosmetic();
    setAttributes(lineType, cosmetic);
    convertShape(item, depth);
  } else if (item->hasKey(kShapeArc)) {
    addArc(item);
  } else if (item->hasKey(kShapeLine)) {
    addLine(item);
  } else if (item->hasKey(kShapeCircle)) {
    addCircle(item);
  } else if (item->hasKey(kShapeText)) {
    addText(item);
  } else {
    convertShape(item, depth);
  }
  return 1;
}

void ME10Writer::addArc(metaTreeC* item) {
  if (!currentPart_) return;
  m2dArcC arc(item);
  const point2dC start = arc.getStartPoint();
  const point2dC middle = arc.getMiddlePoint();
  const point2dC end = arc.getEndPoint();
  addArc(start, middle, end);
}

void ME10Writer::addArc(const point2dC& start, const point2dC& middle, const point2dC& end) {
  if (!currentPart_) return;
  const arcValuesC values = arcValues(start, middle, end);
  // Arcs are stored counter-clockwise: a clockwise arc starts at its end.
  if (values.clockwise) {
    currentPart_->addArc(toPoint(values.centre), toPoint(end), toPoint(start));
  } else {
    currentPart_->addArc(toPoint(values.centre), toPoint(start), toPoint(end));
  }
}

void ME10Writer::addLine(metaTreeC* item) {
  if (!currentPart_) return;
  m2dLineC line(item);
  const point2dC start = line.getStartPoint();
  const point2dC end = line.getEndPoint();
  addLine(start, end);
}

void ME10Writer::addLine(const point2dC& start, const point2dC& end) {
  if (!currentPart_) return;
  currentPart_->addLine(toPoint(start), toPoint(end));
}

void ME10Writer::addCircle(metaTreeC* item) {
  if (!currentPart_) return;
  m2dCircleC circle(item);
  const point2dC centre = circle.getCentre();
  const double radius = circle.getRadius();
  addCircle(centre, radius);
}

void ME10Writer::addCircle(const point2dC& centre, double radius) {
  if (!currentPart_) return;
  currentPart_->addCircle(toPoint(centre), radius);
}

void ME10Writer::addText(metaTreeC* item) {
  if (!currentPart_) return;
  m2dTextC text(item);
  const point2dC position = text.getPosition();
  std::string content(text.getText().view());
  const double height = text.getHeight();
  const double angle = text.getAngle();
  const std::int32_t relative = readNamedInt(text, "TEXTRELPOS");
  // Read like the other members, though the MI text record has no place for them.
  readNamedInt(text, "TEXTALIGN");
  readNamedNumber(text, "TEXTBW");
  readNamedNumber(text, "TEXTBH");
  currentPart_->addText(std::move(content), toPoint(position), height, angle, mapRelativePosition(relative));
}

void ME10Writer::convertShape(metaTreeC* item, int depth) {
  // A key without a shape class (an attribute record among them) converts
  // to nothing.
  if (depth >= kMaxConversionDepth || !registeredShapeClass(item)) return;
  pieceAdderC pieces(*this);
  if (approximator_.approximate(item, kConversionStep, kConversionTolerance, pieces)) return;
  // The converted shapes live in a record of their own, outside the input
  // tree, and go with it.
  figureItemsRecordC converted = figureItemsRecordC::createOwning();
  mBaseShape2dC(item).toLinesAndArcs(kConversionStep, kConversionTolerance, converted.node());
  processItems(converted.firstItem(), depth + 1);
}

}  // namespace lorvane
