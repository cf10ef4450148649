#include "lorvane/interface/conversionWriter.h"

#include <cstdarg>
#include <cstdio>

namespace lorvane {

void setResultText(metaTreeC* request, const std::string& text) {
  metaObjectC view(request);
  metaObjectC(view.getOrAddChild("RESTEXT")).setString(text);
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
  reportError(kind == unrepresentableKind::number ? "Figur %s: Zahl im Satz %s nicht darstellbar!"
                                                  : "Figur %s: Text im Satz %s nicht darstellbar!",
              figure.c_str(), record);
}

bool conversionWriterC::asksForDetailedProgress(metaTreeC* request) {
  if (!request) return false;
  metaTreeC* member = metaObjectC(request).findChild("PROGRESSDETAIL");
  return member && metaObjectC(member).getInt() != 0;
}

}  // namespace lorvane
