#include "lorvane/util/textFileWriter.h"

#include <algorithm>
#include <cstring>

namespace lorvane {

bool textFileWriterC::open(const std::string& path) {
  close();
  failed_ = false;
  file_ = std::fopen(path.c_str(), kTranslateLineFeeds ? "wb" : "w");
  // This writer buffers itself; a second buffer in the C runtime would only copy.
  if (file_) std::setvbuf(file_, nullptr, _IONBF, 0);
  return file_ != nullptr;
}

void textFileWriterC::write(std::string_view text) {
  while (!text.empty()) {
    const std::size_t lineFeed = kTranslateLineFeeds ? text.find('\n') : std::string_view::npos;
    if (lineFeed == std::string_view::npos) {
      writeWithLineEnds(text);
      return;
    }
    writeWithLineEnds(text.substr(0, lineFeed));
    if (used_ + 2 > kBufferSize) flush();
    buffer_[used_++] = '\r';
    buffer_[used_++] = '\n';
    text.remove_prefix(lineFeed + 1);
  }
}

void textFileWriterC::writeWithLineEnds(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    if (used_ == kBufferSize) flush();
    const std::size_t n = std::min(static_cast<std::size_t>(end - p), kBufferSize - used_);
    std::memcpy(buffer_ + used_, p, n);
    used_ += n;
    p += n;
  }
}

bool textFileWriterC::flush() {
  if (file_ && used_ > 0) {
    if (std::fwrite(buffer_, 1, used_, file_) != used_) failed_ = true;
  }
  used_ = 0;
  return !failed_;
}

bool textFileWriterC::close() {
  if (!file_) return !failed_;
  flush();
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}

}  // namespace lorvane
