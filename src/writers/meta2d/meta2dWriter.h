#pragma once
#include <string>

#include "interface/conversionWriter.h"
#include "util/textFileWriter.h"

namespace lorvane {

class figureRecordC;

// Writes a drawing or a single figure as a META2D file: one record a line,
// each starting with its three-digit code, then "EOF".
class meta2dWriterC : public conversionWriterC {
public:
  using conversionWriterC::conversionWriterC;
  int run(metaTreeC* input, const std::string& outputPath) override;

private:
  void writeDrawing(metaTreeC* drawing);
  void writeFigure(metaTreeC* figure);
  void writeItems(metaTreeC* first);
  void writeConverted(metaTreeC* item);
  void writeNameLine(std::string_view name);

  void writeLine(metaTreeC* item);
  void writeArc(metaTreeC* item);
  void writeCircle(metaTreeC* item);
  void writeText(metaTreeC* item);
  void writeAttributes(metaTreeC* item, int& currentType);

  void number(double value);
  void numberAndBlank(double value) {
    number(value);
    out_.put(' ');
  }

  textFileWriterC out_;
  bool nameLinePending_ = true;
};

}  // namespace lorvane
