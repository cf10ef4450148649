#include "lorvane/writers/meta2d/meta2dWriter.h"

#include <cstdio>

#include "lorvane/document/m2dShapes.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/schema/drawingRecords.h"
#include "lorvane/writers/meta2d/meta2dNumber.h"
#include "lorvane/writers/meta2d/meta2dRecordCodes.h"
#include "lorvane/writers/meta2d/meta2dRecordText.h"
#include "lorvane/writers/meta2d/tableIdent.h"

namespace lorvane {
namespace {

// The writers' approximation of shapes that have no record of their own.
constexpr double kAngularStep = 0.01;
constexpr double kFitTolerance = 0.0001;

// A shape type that suppresses the shapes following its attribute record.
constexpr int kSuppressedType = 4;

std::string integerField(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

bool meta2dWriterC::openOutput(const std::string& outputPath) { return out_.open(outputPath); }

void meta2dWriterC::convertDrawing(metaTreeC* drawing) {
  writeDrawing(drawing);
  out_.line("EOF");
}

void meta2dWriterC::convertFigure(metaTreeC* figure) {
  writeFigure(figure);
  out_.line("EOF");
}

outputOutcome meta2dWriterC::finishOutput(const std::string&) {
  return out_.close() ? outputOutcome::written : outputOutcome::notWritten;
}

void meta2dWriterC::writeNameLine(std::string_view name) {
  const std::string written = meta2dNameLineText(name);
  checkText(written, "915");
  out_.write("915 ");
  out_.line(written);
  nameLinePending_ = false;
}

void meta2dWriterC::checkText(std::string_view text, const char* record) {
  if (splitsMeta2dRecord(text)) {
    reportUnrepresentable(unrepresentableKind::text, figureName_, figurePosition_, record);
  }
}

void meta2dWriterC::writeDrawing(metaTreeC* node) {
  drawingRecordC drawing(node);
  // The drawing's own line belongs to no figure.
  figureName_ = drawing.name();
  figurePosition_ = 0;
  writeNameLine(drawing.name());
  keyedListViewC figures = drawing.figures();
  const std::size_t count = figures.count();
  // Writing a figure adds its absent members to the tree, which empties the
  // list's cache; the figures are therefore followed by their links (the
  // same nodes in the same order), not looked up by index anew each time.
  metaTreeC* figure = count > 0 ? figures.at(0) : nullptr;
  for (std::size_t i = 0; i < count && figure; ++i) {
    metaTreeC* following = figure->next();
    figurePosition_ = i + 1;
    writeFigure(figure);
    figure = following;
    while (figure && !isFigureNode(figure)) figure = figure->next();
  }
}

void meta2dWriterC::writeFigure(metaTreeC* node) {
  meter().mark();
  figureRecordC figure(node);
  figureName_ = figure.name();
  if (nameLinePending_) writeNameLine(figure.name());

  const std::string shortName(figure.shortName());
  if (!shortName.empty()) {
    checkText(shortName, "917");
    out_.line("917 " + shortName);
  }
  {
    cutoutRecordC cutout = figure.cutout();
    if (cutout.hidden()) out_.line("920 1   SET CUTOUTHIDDEN");
    if (cutout.dashed()) out_.line("920 2   SET CUTOUTDASH");
  }
  const bool group = figure.isGroup();
  if (group) out_.line("910 SET BGN");

  const std::string name(figure.name());
  checkText(name, "914");
  out_.line("914 " + name);
  const std::int32_t viewNumber = figure.viewNumber();
  if (viewNumber != -1) out_.line("918 " + std::to_string(viewNumber) + "_" + name);
  out_.line("511 " + name);

  const std::string_view identification = figure.tableIdentification();
  if (!identification.empty()) {
    tableIdentC table;
    table.parse(identification);
    const std::string name = meta2dTableNameText(table);
    checkText(name, "515");
    out_.line("515 " + name);
    const std::string lists = meta2dTableListsText(table);
    checkText(lists, "520");
    out_.line("520 " + lists);
  }

  {
    insertPointRecordC placement = figure.insertPoint();
    const point2dC at = placement.point();
    const double rotation = placement.rotation();
    figureItemsRecordC items = figure.items();
    items.place(rotation, at);
    if (metaTreeC* first = items.firstItem()) writeItems(first, true);
  }

  if (group) out_.line("911 SET END");
  if (!shortName.empty()) out_.line("916 END FIG");
  cutoutRecordC cutout = figure.cutout();
  if (cutout.hidden()) out_.line("921 SET CUTOUTHIDDEN END");
  if (cutout.dashed()) out_.line("921 SET CUTOUTDASH END");
}

void meta2dWriterC::writeItems(metaTreeC* first, bool figureItems) {
  // Each walk starts with no shape type (-1 is none that an attribute record
  // can suppress with).
  int currentType = -1;
  for (metaTreeC* item = first; item; item = item->next()) {
    // Progress counts the figure's own items, not what a shape converts to.
    if (figureItems) meter().step();
    if (item->hasKey("SHAPEATTR")) writeAttributes(item, currentType);
    if (currentType == kSuppressedType) continue;
    if (item->hasKey(kShapeArc)) writeArc(item);
    else if (item->hasKey(kShapeLine)) writeLine(item);
    else if (item->hasKey(kShapeCircle)) writeCircle(item);
    else if (item->hasKey(kShapeText)) writeText(item);
    else writeConverted(item);
  }
}

void meta2dWriterC::writeAttributes(metaTreeC* item, int& currentType) {
  shapeAttributesRecordC attributes(item);
  const std::int32_t width = attributes.width();
  const std::int32_t type = attributes.type();
  out_.line("900 " + integerField("%-3d", type));
  out_.line("901 " + integerField("%-3d", width));
  currentType = type;
}

void meta2dWriterC::writeConverted(metaTreeC* item) {
  // A key without a shape class yields nothing; no record is made for it.
  if (!registeredShapeClass(item)) return;
  pieceWriterC pieces(*this);
  if (approximator_.approximate(item, kAngularStep, kFitTolerance, pieces)) return;
  // The converted shapes live only until they are written.
  figureItemsRecordC converted = figureItemsRecordC::createOwning();
  mBaseShape2dC(item).toLinesAndArcs(kAngularStep, kFitTolerance, converted.node());
  if (metaTreeC* first = converted.firstItem()) writeItems(first, false);
}

void meta2dWriterC::numberRecordC::add(double value) {
  bool fits = true;
  used_ += formatMeta2dNumber(value, text_ + used_, fits);
  text_[used_++] = ' ';
  if (!fits) writer_.reportUnrepresentable(unrepresentableKind::number, writer_.figureName_, writer_.figurePosition_, code_);
}

void meta2dWriterC::numberRecordC::write() {
  writer_.out_.writePlain(text_, used_);
}

void meta2dWriterC::numberRecordC::writeLine() {
  for (const char c : textFileWriterC::kLineEnd) text_[used_++] = c;
  writer_.out_.writeWithLineEnds(std::string_view(text_, used_));
}

void meta2dWriterC::writeLine(metaTreeC* item) {
  m2dLineC line(item);
  const point2dC start = line.getStartPoint();
  const point2dC end = line.getEndPoint();
  writeLine(start, end);
}

void meta2dWriterC::writeLine(const point2dC& start, const point2dC& end) {
  numberRecordC record(*this, "100");
  record.add(start.x);
  record.add(start.y);
  record.add(end.x);
  record.add(end.y);
  record.writeLine();
}

void meta2dWriterC::writeArc(metaTreeC* item) {
  m2dArcC arc(item);
  writeArc(arc.getArcValues());
}

void meta2dWriterC::writeArc(const arcValuesC& values) {
  const anglePairC angles = writerAnglePair(values.startAngle, values.endAngle, values.clockwise);
  numberRecordC record(*this, "250");
  record.add(values.centre.x);
  record.add(values.centre.y);
  record.add(values.radius);
  record.add(angles.from);
  record.add(angles.to);
  record.writeLine();
}

void meta2dWriterC::writeCircle(metaTreeC* item) {
  m2dCircleC circle(item);
  const point2dC centre = circle.getCentre();
  const double radius = circle.getRadius();
  writeCircle(centre, radius);
}

void meta2dWriterC::writeCircle(const point2dC& centre, double radius) {
  numberRecordC record(*this, "200");
  record.add(centre.x);
  record.add(centre.y);
  record.add(radius);
  record.writeLine();
}

void meta2dWriterC::writeText(metaTreeC* item) {
  m2dTextC text(item);
  const point2dC position = text.getPosition();
  const double height = text.getHeight();
  const double angle = text.getAngle();
  const std::string_view content = text.getText().view();
  numberRecordC record(*this, "500");
  record.add(position.x);
  record.add(position.y);
  record.add(height);
  record.add(angle);
  record.write();
  checkText(content, "500");
  out_.line(content);
}

}  // namespace lorvane
