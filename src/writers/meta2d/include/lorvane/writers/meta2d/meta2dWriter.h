#pragma once
#include <string>

#include "lorvane/geometry/arcGeometry.h"
#include "lorvane/geometry/shapeApproximation.h"
#include "lorvane/writers/conversionWriter.h"
#include "lorvane/writers/meta2d/meta2dNumber.h"
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

  // A record of numbers, each followed by a blank, made whole before it goes
  // to the file; its code names it in reports of values the file cannot hold.
  class numberRecordC {
  public:
    numberRecordC(meta2dWriterC& writer, const char* code) : writer_(writer), code_(code) {
      for (int i = 0; i < 3; ++i) text_[used_++] = code[i];
      text_[used_++] = ' ';
    }
    void add(double value);
    // The record as it stands; the line goes on.
    void write();
    // The record and the end of its line.
    void writeLine();

  private:
    static constexpr std::size_t kMostNumbers = 5;
    meta2dWriterC& writer_;
    const char* code_;
    std::size_t used_ = 0;
    char text_[4 + kMostNumbers * (kMeta2dNumberWidth + 1) + kMeta2dNumberRoom];
  };

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
  // drawing's own line).
  std::string figureName_;
  std::size_t figurePosition_ = 1;
};

}  // namespace lorvane
