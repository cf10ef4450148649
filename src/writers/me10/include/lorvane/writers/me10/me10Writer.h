#pragma once
#include <cstdint>
#include <string>

#include "lorvane/geometry/shapeApproximation.h"
#include "lorvane/writers/conversionWriter.h"
#include "lorvane/writers/me10/me10Attributes.h"
#include "lorvane/writers/me10/me10Model.h"

namespace lorvane {

// Writes a drawing as an MI file: builds the ME10 model from the input
// drawing (one part per figure), then prunes, numbers and writes it. One
// writer serves one conversion.
class ME10Writer final : public ME10Model, public conversionWriterC {
public:
  ME10Writer(lorvaneProgressCallback progress, metaTreeC* request) : conversionWriterC(progress, request) {}

private:
  // The model is built first and written whole at the end; input that is
  // neither a DRAWING nor a FIGURE still gets the file of the empty model.
  void convertDrawing(metaTreeC* drawing) override { processDrawing(drawing); }
  void convertFigure(metaTreeC* figure) override { processFigure(figure); }
  outputOutcome finishOutput(const std::string& outputPath) override;
  double conversionShare() const override;

  void processDrawing(metaTreeC* drawing);
  void processFigure(metaTreeC* figure);
  void applySettings(metaTreeC* record);
  void setAttributes(std::int32_t lineType, std::int32_t cosmetic);

  // The item chain from first; a chain made by converting a shape sits one
  // level deeper than the chain of that shape.
  int processItems(metaTreeC* first, int depth);
  int processItem(metaTreeC* item, int depth);
  void addArc(metaTreeC* item);
  void addLine(metaTreeC* item);
  void addCircle(metaTreeC* item);
  void addText(metaTreeC* item);
  void convertShape(metaTreeC* item, int depth);
  void addLine(const point2dC& start, const point2dC& end);
  void addArc(const point2dC& start, const point2dC& middle, const point2dC& end);
  void addCircle(const point2dC& centre, double radius);

  // Adds the pieces of an approximated shape to the current part.
  class pieceAdderC : public fittedPieceSinkC {
  public:
    explicit pieceAdderC(ME10Writer& writer) : writer_(writer) {}
    void line(const point2dC& start, const point2dC& end) override { writer_.addLine(start, end); }
    void arc(const point2dC& start, const point2dC& middle, const point2dC& end) override {
      writer_.addArc(start, middle, end);
    }
    void circle(const point2dC& centre, double radius) override { writer_.addCircle(centre, radius); }

  private:
    ME10Writer& writer_;
  };

  shapeApproximatorC approximator_;
  ME10Part* currentPart_ = nullptr;
  std::int32_t unnamedFigures_ = 0;
  std::string drawingName_;
  // The settings by line type, carried from figure to figure.
  ME10LayerNameTable layerNames{};
  ME10LineWidthTable lineWidths{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
  ME10LineColorTable lineColors{7, 7, 7, 7, 7, 7, 7, 7};
  ME10Point insertionPoint_;  // of the last figure read
};

}  // namespace lorvane
