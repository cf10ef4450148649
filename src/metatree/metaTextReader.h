#pragma once
#include <string>
#include <string_view>

#include "lorvane/metatree/metaObject.h"

namespace lorvane {

// Reads the text form of a meta tree: a chain of elements (keys, numbers,
// strings), each optionally followed by sections in braces that become its
// children. A reader keeps the outcome of its last read.
class LORVANE_RUNTIME_API metaTextReaderC {
public:
  // Sections may nest this deep; deeper input is rejected rather than read,
  // so that every tree read can also be copied, written and destroyed.
  static constexpr int kMaxSectionDepth = 1000;

  metaTextReaderC() = default;

  // The chain the text holds, with the given ownership; a null node when the
  // text holds nothing or reading failed (errorText tells which). References
  // stored as position numbers are turned back into nodes of the chain read.
  metaObjectC readTree(std::string_view text, bool owns);

  // "Line:N - message" for the last read that failed, empty otherwise.
  const std::string& errorText() const { return error_; }
  bool failed() const { return !error_.empty(); }
  // The line where the last read stopped.
  long long line() const { return line_; }

  // Told now and then while a long text is read, with the share of the text
  // read so far (0 to 1), so that a host can show how far reading has come.
  using progressFunctionT = void (*)(double share, void* context);
  void setProgress(progressFunctionT function, void* context) {
    progress_ = function;
    progressContext_ = context;
  }

  // Raw strings keep their backslashes instead of resolving escapes.
  void setRawStrings(bool raw) { raw_ = raw; }
  bool rawStrings() const { return raw_; }

private:
  metaTreeC* readChain(std::string_view text, bool& holdsStoredObjects);
  void fail(std::string_view message, std::string_view detail = {});

  std::string error_;
  long long line_ = 1;
  bool raw_ = false;
  progressFunctionT progress_ = nullptr;
  void* progressContext_ = nullptr;
};

}  // namespace lorvane
