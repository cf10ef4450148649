#pragma once
#include <string>

#include "lorvane/geometry/arcGeometry.h"
#include "lorvane/geometry/shapeApproximation.h"
#include "lorvane/writers/conversionWriter.h"
#include "lorvane/util/textFileWriter.h"

namespace lorvane {

class figureRecordC;

// Writes a drawing or a single figure as a META2D file: one record a line,
// each starting with its three-digit code, then "EOF".
class meta2dWriterC : public conversionWriterC {
public:
  using conversionWriterC::conversionWriterC;

private:
  // Records go to the file as they are made: it is opened first.
  bool openOutput(const std::string& outputPath) override;
  void convertDrawing(metaTreeC* drawing) override;
  void convertFigure(metaTreeC* figure) override;
  outputOutcome finishOutput(const std::string& outputPath) override;

  void writeDrawing(metaTreeC* drawing);
  void writeFigure(metaTreeC* figure);
  // figureItems: the chain is a figure's own, whose items progress counts.
  void writeItems(metaTreeC* first, bool figureItems);
  void writeConverted(metaTreeC* item);
  void writeNameLine(std::string_view name);
  // Reports a text, the last field of its record, that a reader would split
  // into records.
  void checkText(std::string_view text, const char* record);

  void writeLine(metaTreeC* item);
  void writeArc(metaTreeC* item);
  void writeCircle(metaTreeC* item);
  void writeLine(const point2dC& start, const point2dC& end);
  void writeArc(const arcValuesC& values);
  void writeCircle(const point2dC& centre, double radius);
  void writeText(metaTreeC* item);
  void writeAttributes(metaTreeC* item, int& currentType);

  void number(double value);
  void numberAndBlank(double value) {
    number(value);
    out_.put(' ');
  }

  // Writes the pieces of an approximated shape as their records.
  class pieceWriterC : public fittedPieceSinkC {
  public:
    explicit pieceWriterC(meta2dWriterC& writer) : writer_(writer) {}
    void line(const point2dC& start, const point2dC& end) override { writer_.writeLine(start, end); }
    void arc(const point2dC& start, const point2dC& middle, const point2dC& end) override {
      writer_.writeArc(arcValues(start, middle, end));
    }
    void circle(const point2dC& centre, double radius) override { writer_.writeCircle(centre, radius); }

  private:
    meta2dWriterC& writer_;
  };

  textFileWriterC out_;
  shapeApproximatorC approximator_;
  bool nameLinePending_ = true;
  // Where the values being written belong, for reports of values the file
  // cannot hold: the figure's name and 1-based position (0 for the
  // drawing's own line) and the record's code.
  std::string figureName_;
  std::size_t figurePosition_ = 1;
  const char* record_ = "";
};

}  // namespace lorvane
