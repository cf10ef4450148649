#pragma once
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "lorvane/interface/lorvanePlugin.h"
#include "lorvane/writers/progressMeter.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane {

// What a format cannot hold: a number (not finite, or too large for its
// field), or a text with a line break where the file has none.
enum class unrepresentableKind { number, text };

// How finishing the output file ended.
enum class outputOutcome { written, notCreated, notWritten };

// What every output writer shares: the host's progress callback and the
// request, into whose "RESTEXT" it reports failures.
class conversionWriterC {
public:
  // A request member "PROGRESSDETAIL" other than 0 asks for progress between
  // the calls with 0 and 100; it is looked up, never added.
  conversionWriterC(lorvaneProgressCallback progress, metaTreeC* request)
      : progress_(progress), request_(request), meter_(progress, asksForDetailedProgress(request)) {}
  virtual ~conversionWriterC() = default;
  conversionWriterC(const conversionWriterC&) = delete;
  conversionWriterC& operator=(const conversionWriterC&) = delete;

  // Writes the file for the input node (null when the request has none).
  // Failures are reported, not returned. The run every writer shares:
  // progress 0; the output opened; a DRAWING or a FIGURE converted, any
  // other input reported; the output finished; progress 100. 1 once the file
  // of a drawing or figure is written, else -1.
  virtual int run(metaTreeC* input, const std::string& outputPath);

protected:
  // The steps of that run. A writer that keeps its output until the end
  // opens nothing first; one that writes as it goes fails here, before
  // converting anything.
  virtual bool openOutput(const std::string& /*path*/) { return true; }
  virtual void convertDrawing(metaTreeC* /*drawing*/) {}
  virtual void convertFigure(metaTreeC* /*figure*/) {}
  virtual outputOutcome finishOutput(const std::string& /*path*/) { return outputOutcome::written; }
  // The share of detailed progress that converting the input takes; the
  // rest is the writer's to report while finishing.
  virtual double conversionShare() const { return 100.0; }

  // A host that passes no callback is spared a call through null.
  void reportProgress(double percent) const {
    if (progress_) progress_(percent, "");
  }
  // Formats the message (at most 511 characters, longer texts are cut) and
  // stores it under "RESTEXT", replacing an earlier one.
  void reportError(const char* format, ...) const;

  // Reports the first value of the conversion that the file cannot hold, as
  // kResultNumberNotRepresentable (or kResultTextNotRepresentable),
  // with the figure's name, or "Nr. " and its 1-based position when the name
  // is empty or cannot stand on one line, and the record as the file spells
  // it. Later values are not reported; a later error replaces the report.
  void reportUnrepresentable(unrepresentableKind kind, std::string_view figureName, std::size_t figurePosition,
                             const char* record);
  bool unrepresentableReported() const { return unrepresentableReported_; }

  metaObjectC& request() { return request_; }
  progressMeterC& meter() { return meter_; }

private:
  static bool asksForDetailedProgress(metaTreeC* request);

  lorvaneProgressCallback progress_;
  metaObjectC request_;  // not owning
  progressMeterC meter_;
  bool unrepresentableReported_ = false;
};

// "RESTEXT" of the request takes the text.
void setResultText(metaTreeC* request, const std::string& text);

}  // namespace lorvane
