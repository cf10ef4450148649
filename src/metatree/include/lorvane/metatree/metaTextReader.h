#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lorvane/metatree/metaObject.h"

namespace lorvane {

namespace metaText {
class tokenizerC;
}

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

  // Where a text read piece by piece comes from: copies up to capacity bytes
  // of what follows into buffer and returns how many (at least 1 while the
  // text lasts), 0 at the end of the text, or kReadFailed when the text
  // cannot be read (a count above capacity counts as that too). The read
  // then fails with "read fail", and the source, which knows why, can tell
  // its caller. After 0 or kReadFailed it is not called again.
  using readFunctionT = std::size_t (*)(char* buffer, std::size_t capacity, void* context);
  static constexpr std::size_t kReadFailed = static_cast<std::size_t>(-1);

  // The same for a text that is never whole in memory: it is read through a
  // window of bufferSize() bytes (a token longer than half of it widens it). totalBytes, the
  // size of the whole text when known (0: not known), lets progress be told.
  metaObjectC readTree(readFunctionT read, void* context, bool owns, std::uint64_t totalBytes = 0);

  static constexpr std::size_t kDefaultBufferSize = std::size_t{1} << 20;
  // Tests make the window tiny, so that tokens cross its edges.
  void setBufferSize(std::size_t bytes) { bufferSize_ = bytes > 0 ? bytes : 1; }
  std::size_t bufferSize() const { return bufferSize_; }

  // "Line:N - message" for the last read that failed, empty otherwise.
  const std::string& errorText() const { return error_; }
  bool failed() const { return !error_.empty(); }
  // The line where the last read stopped.
  long long line() const { return line_; }

  // Told now and then while a long text is read, with the share of the text
  // read so far (0 to 1), so that a host can show how far reading has come;
  // not told when the size of the text is not known.
  using progressFunctionT = void (*)(double share, void* context);
  void setProgress(progressFunctionT function, void* context) {
    progress_ = function;
    progressContext_ = context;
  }

  // Raw strings keep their backslashes instead of resolving escapes.
  void setRawStrings(bool raw) { raw_ = raw; }
  bool rawStrings() const { return raw_; }

private:
  metaObjectC readAll(metaText::tokenizerC& tokens, bool owns, std::uint64_t totalBytes);
  metaTreeC* readChain(metaText::tokenizerC& tokens, std::uint64_t totalBytes, bool& holdsStoredObjects);
  void fail(std::string_view message, std::string_view detail = {});

  std::string error_;
  long long line_ = 1;
  bool raw_ = false;
  std::size_t bufferSize_ = kDefaultBufferSize;
  progressFunctionT progress_ = nullptr;
  void* progressContext_ = nullptr;
};

}  // namespace lorvane
