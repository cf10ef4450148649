#pragma once
#include <string>

#include "interface/lorvanePlugin.h"
#include "metatree/metaObject.h"

namespace lorvane {

// What every output writer shares: the host's progress callback and the
// request, into whose "RESTEXT" it reports failures.
class conversionWriterC {
public:
  conversionWriterC(lorvaneProgressCallback progress, metaTreeC* request) : progress_(progress), request_(request) {}
  virtual ~conversionWriterC() = default;
  conversionWriterC(const conversionWriterC&) = delete;
  conversionWriterC& operator=(const conversionWriterC&) = delete;

  // Writes the file for the input node (null when the request has none).
  // Failures are reported, not returned; the result is the writer's own.
  virtual int run(metaTreeC* input, const std::string& outputPath) = 0;

protected:
  // A host that passes no callback is spared a call through null.
  void reportProgress(double percent) const {
    if (progress_) progress_(percent, "");
  }
  // Formats the message (at most 511 characters, longer texts are cut) and
  // stores it under "RESTEXT", replacing an earlier one.
  void reportError(const char* format, ...) const;

  metaObjectC& request() { return request_; }

private:
  lorvaneProgressCallback progress_;
  metaObjectC request_;  // not owning
};

// "RESTEXT" of the request takes the text.
void setResultText(metaTreeC* request, const std::string& text);

}  // namespace lorvane
