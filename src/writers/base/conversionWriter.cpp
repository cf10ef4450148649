#include "lorvane/writers/conversionWriter.h"

#include <cstdarg>
#include <cstdio>

#include "lorvane/interface/resultTexts.h"
#include "lorvane/schema/drawingRecords.h"

namespace lorvane {

void setResultText(metaTreeC* request, const std::string& text) {
  metaObjectC view(request);
  metaObjectC(view.getOrAddChild("RESTEXT")).setString(text);
}

int conversionWriterC::run(metaTreeC* input, const std::string& outputPath) {
  reportProgress(0.0);
  if (!openOutput(outputPath)) {
    reportError(kResultNotCreated, outputPath.c_str());
    reportProgress(100.0);
    return -1;
  }
  if (meter().detailed()) meter().beginPhase(0.0, conversionShare(), measureDrawing(input).items);
  int result = 1;
  if (isDrawingNode(input)) {
    convertDrawing(input);
  } else if (isFigureNode(input)) {
    convertFigure(input);
  } else {
    reportError(kResultNoDrawing);
    result = -1;
  }
  switch (finishOutput(outputPath)) {
    case outputOutcome::written: break;
    case outputOutcome::notCreated:
      reportError(kResultNotCreated, outputPath.c_str());
      result = -1;
      break;
    case outputOutcome::notWritten:
      reportError(kResultNotWritten, outputPath.c_str());
      result = -1;
      break;
  }
  reportProgress(100.0);
  return result;
}

void conversionWriterC::reportError(const char* format, ...) const {
  // vsnprintf never writes past the buffer: a longer message is cut at 511
  // characters, as a host's message field expects.
  char message[512];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(message, sizeof message, format, args);
  va_end(args);
  if (length < 0) message[0] = '\0';
  setResultText(request_.node(), message);
}

void conversionWriterC::reportUnrepresentable(unrepresentableKind kind, std::string_view figureName,
                                              std::size_t figurePosition, const char* record) {
  if (unrepresentableReported_) return;
  unrepresentableReported_ = true;
  // A name with a line break would break the message's own line.
  const bool oneLine = figureName.find_first_of("\r\n") == std::string_view::npos;
  const std::string figure = figureName.empty() || !oneLine
                                 ? "Nr. " + std::to_string(figurePosition)
                                 : std::string(figureName);
  reportError(kind == unrepresentableKind::number ? kResultNumberNotRepresentable : kResultTextNotRepresentable,
              figure.c_str(), record);
}

bool conversionWriterC::asksForDetailedProgress(metaTreeC* request) {
  if (!request) return false;
  metaTreeC* member = metaObjectC(request).findChild("PROGRESSDETAIL");
  return member && metaObjectC(member).getInt() != 0;
}

}  // namespace lorvane
