#include "inputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "lorvane/cli/commands.h"
#include "lorvane/cli/platform.h"
#include "lorvane/cli/progressBar.h"
#include "lorvane/cli/readerFailurePlace.h"
#include "writtenFiles.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/util/fileContents.h"

namespace lorvane::cli {

bool readInputFile(const std::string& path, std::string& bytes, std::string& error) {
  if (path != "-") return readFileContents(path, bytes, error, showStageProgress);
  bytes.clear();
  setStandardInputBinary();
  if (appendStreamContents(stdin, bytes)) return true;
  error = "cannot read standard input";
  return false;
}

inputStreamC::~inputStreamC() {
  if (ownsFile_) std::fclose(file_);
}

bool inputStreamC::open(const std::string& path, std::string& error) {
  name_ = path;
  if (path == "-") {
    setStandardInputBinary();
    file_ = stdin;
  } else {
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) {
      error = "cannot open " + path + ": " + std::strerror(errno);
      return false;
    }
    ownsFile_ = true;
    std::error_code unknown;
    const std::uintmax_t size = std::filesystem::file_size(path, unknown);
    size_ = unknown ? 0 : static_cast<std::uint64_t>(size);
  }
  headSize_ = readSome(head_, sizeof head_);
  constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
  if (head().starts_with(utf8Mark)) {
    const bool more = headSize_ == sizeof head_;  // else the input ended within the head
    headSize_ -= utf8Mark.size();
    std::memmove(head_, head_ + utf8Mark.size(), headSize_);
    if (more) headSize_ += readSome(head_ + headSize_, utf8Mark.size());
    size_ = size_ > utf8Mark.size() ? size_ - utf8Mark.size() : 0;
  }
  utf16_ = head().starts_with("\xFF\xFE") || head().starts_with("\xFE\xFF");
  if (!error_.empty()) {
    error = error_;
    return false;
  }
  return true;
}

std::size_t inputStreamC::readSome(char* buffer, std::size_t capacity) {
  errno = 0;
  const std::size_t got = std::fread(buffer, 1, capacity, file_);
  if (got < capacity && std::ferror(file_)) noteReadError();
  return got;
}

void inputStreamC::noteReadError() {
  if (name_ == "-") error_ = "cannot read standard input";
  else error_ = "cannot read " + name_ + ": " + std::strerror(errno ? errno : EIO);
}

std::size_t inputStreamC::read(char* buffer, std::size_t capacity, void* stream) {
  auto& self = *static_cast<inputStreamC*>(stream);
  if (!self.error_.empty()) return metaTextReaderC::kReadFailed;
  std::size_t got = std::min(capacity, self.headSize_ - self.headAt_);
  std::memcpy(buffer, self.head_ + self.headAt_, got);
  self.headAt_ += got;
  if (got < capacity) got += self.readSome(buffer + got, capacity - got);
  if (!self.error_.empty()) return metaTextReaderC::kReadFailed;
  self.handedOut_ += got;
  return got;
}

bool inputStreamC::readRest(std::string& bytes, std::string& error) {
  bytes.assign(head_ + headAt_, headSize_ - headAt_);
  headAt_ = headSize_;
  const std::uint64_t left = size_ > bytes.size() ? size_ - bytes.size() : 0;
  if (!appendStreamContents(file_, bytes, left)) {
    noteReadError();
    error = error_;
    return false;
  }
  handedOut_ += bytes.size();
  return true;
}

bool readTextForm(inputStreamC& stream, const std::string& name, metaTextReaderC& reader, metaObjectC& tree,
                  std::string& error) {
  if (stream.isUtf16()) {
    error = name + ": the file is UTF-16; save it as UTF-8";
    return false;
  }
  tree = reader.readTree(&inputStreamC::read, &stream, true, stream.size());
  if (!stream.error().empty()) {
    error = stream.error();
    return false;
  }
  if (reader.failed()) {
    error = locatedReaderError(name, stream.path(), reader.errorText(), reader.line());
    return false;
  }
  return true;
}

bool readTextTree(const std::string& input, const std::string& name, textTreeRulesC rules, metaObjectC& tree) {
  inputStreamC stream;
  std::string error;
  if (!stream.open(input, error)) {
    printError(error);
    return false;
  }
  if (const writtenFormatC* written = recogniseWritten(stream.head()); rules.refuseWrittenFiles && written) {
    printError(writtenFileIsNoDrawing(name, *written));
    return false;
  }
  metaTextReaderC reader;
  if (!readTextForm(stream, name, reader, tree, error)) {
    printError(error);
    return false;
  }
  if (rules.refuseEmpty && !tree.isValid()) {
    printError(name + ": " + stream.noElement());
    return false;
  }
  return true;
}

}  // namespace lorvane::cli
