#pragma once
// Where the text form reader gave up, told the way an editor can jump to it.
// The reader names only a line (and, for a section left open, the file's
// last one); the tool scans the text again, by the reader's own rules, to
// find the line and column of the mistake, the character found there and
// what could have stood there instead.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::cli {

struct readerFailurePlaceC {
  bool found = false;      // false: the text reads without a failure
  std::size_t line = 0;    // counting every line end, those in strings too
  std::size_t column = 0;  // in bytes, from 1
  std::string detail;      // "found '(', expected '{' (...)"
};

// Fed the text a piece at a time; stops at the first failure.
class readerFailureScannerC {
public:
  void feed(std::string_view bytes);
  readerFailurePlaceC finish();

private:
  struct placeC {
    std::size_t line = 0, column = 0;
  };
  struct openBraceC {
    placeC at;
    std::size_t indent = 0;  // of the line the brace stands on
  };

  void take(unsigned char c);
  void takeOutsideString(unsigned char c);
  void endWord();
  void fail(placeC at, std::string detail);
  void closeSection();
  void failUnclosed(const std::string& found);
  // A string over several lines is often one whose closing quote is missing.
  std::string spanningStringHint() const;

  readerFailurePlaceC failure_;
  placeC next_{1, 1};
  bool afterCarriageReturn_ = false;
  std::size_t indent_ = 0;
  bool lineHasContent_ = false;
  std::string word_;
  placeC wordAt_;
  bool inString_ = false;
  bool escaped_ = false;
  placeC stringAt_;
  bool stringSpansLines_ = false;
  placeC spanningStringAt_;  // the last string that ran over a line end
  bool anySpanningString_ = false;
  bool ended_ = false;  // an end byte stood at the top level
  placeC endAt_;
  std::vector<openBraceC> open_;
  std::vector<bool> levelHasNode_{false};
  bool misclosedKnown_ = false;
  openBraceC misclosed_;  // the first '{' closed by a '}' indented unlike its line
};

// "NAME:LINE:COLUMN: Line:N - message; found ..., expected ..." for the
// reader's failure in the file at path; "NAME:LINE: Line:N - message" with
// the reader's line when the text cannot be read again (standard input).
std::string locatedReaderError(const std::string& name, const std::string& path, const std::string& readerText,
                               long long readerLine);

// The place of the reader's failure in the file at path (a UTF-8 byte order
// mark skipped, as the tool reads it); not found when the file cannot be
// read again.
readerFailurePlaceC findReaderFailure(const std::string& path);

}  // namespace lorvane::cli
