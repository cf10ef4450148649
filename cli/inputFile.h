#pragma once
// Reading what the commands are given: a file or, for "-", standard input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::cli {

// The whole input as bytes; reading shows on the progress bar. For written
// files and scratch files: drawings are read through an inputStreamC.
bool readInputFile(const std::string& path, std::string& bytes, std::string& error);

// An input read a piece at a time, so that a drawing text is never whole in
// memory: a file, or standard input for "-".
class inputStreamC {
public:
  inputStreamC() = default;
  inputStreamC(const inputStreamC&) = delete;
  inputStreamC& operator=(const inputStreamC&) = delete;
  ~inputStreamC();

  // False with "cannot open PATH: reason" in error. A UTF-8 byte order mark
  // at the start, as editors on Windows write it, is passed over: it is no
  // part of the text.
  bool open(const std::string& path, std::string& error);
  // The path opened: "-" for standard input.
  const std::string& path() const { return name_; }
  // Whether the input starts with a UTF-16 byte order mark (either order).
  bool isUtf16() const { return utf16_; }

  // The first bytes, read ahead and still to be handed out: enough to tell a
  // written file from a drawing.
  std::string_view head() const { return {head_ + headAt_, headSize_ - headAt_}; }
  // The size of the whole input; 0 when it is not known (standard input).
  std::uint64_t size() const { return size_; }
  // Whether any byte has been handed out (read ahead counts only when handed out).
  bool anyRead() const { return handedOut_ > 0; }
  // Why a read that gave no element gave none: "the file is empty" or "the
  // file holds no element".
  const char* noElement() const { return anyRead() ? "the file holds no element" : "the file is empty"; }

  // metaTextReaderC's source over the stream given as context.
  static std::size_t read(char* buffer, std::size_t capacity, void* stream);
  // "cannot read PATH: reason" once a read failed; empty until then.
  const std::string& error() const { return error_; }

  // Everything not yet handed out, as bytes (for written files).
  bool readRest(std::string& bytes, std::string& error);

private:
  std::size_t readSome(char* buffer, std::size_t capacity);
  void noteReadError();

  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  std::string name_;
  std::string error_;
  std::uint64_t size_ = 0;
  std::uint64_t handedOut_ = 0;
  char head_[8] = {};
  std::size_t headSize_ = 0;
  std::size_t headAt_ = 0;
  bool utf16_ = false;
};

// The text form read from the stream, with the reader's settings; false
// with the stream's own read error, "NAME: the file is UTF-16; save it as
// UTF-8" or, when the text cannot be read, the reader's "Line:N - message"
// behind where the mistake is ("NAME:LINE:COLUMN: ", see readerFailurePlace.h).
bool readTextForm(inputStreamC& stream, const std::string& name, metaTextReaderC& reader, metaObjectC& tree,
                  std::string& error);

// What readTextTree refuses besides text it cannot read.
struct textTreeRulesC {
  bool refuseWrittenFiles = false;  // a written META2D or MI file, as no drawing
  bool refuseEmpty = false;         // a file without any element
};

// The meta tree text of an input, read into a tree; messages name the input
// as name. False with the reason printed.
bool readTextTree(const std::string& input, const std::string& name, textTreeRulesC rules, metaObjectC& tree);

}  // namespace lorvane::cli
