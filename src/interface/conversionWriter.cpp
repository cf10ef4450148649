#include "interface/conversionWriter.h"

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

}  // namespace lorvane
