#pragma once
// Conversions to MI through the dispatch, and the pieces of expected files.
#include <initializer_list>
#include <string>

#include "lorvane/metatree/metaObject.h"
#include "miTimestampMask.h"
#include "testFiles.h"

namespace lorvane::me10test {

using testing::crlfLines;

// The 51 lines of section "#~3", with "<date>" and "<time>" where the
// current date and time stand.
std::string headerSection();

// The file (date and time masked) of one figure "F" holding one line from
// (x0, y0) to (x1, y1), the coordinates as the file writes them.
std::string oneLineFigureFile(const char* x0, const char* y0, const char* x1, const char* y1);

using testing::maskTimestamp;

using testing::fileExists;
using testing::readFileBytes;
using testing::scratchPath;

// One conversion: the input in the meta tree text form becomes the first
// child of INPUTDATA (no INPUTDATA at all when it is null).
struct conversionC {
  // Changes the input tree after it is read and before it is converted.
  using prepareT = void (*)(metaTreeC* input);

  explicit conversionC(const char* input, std::string output = scratchPath("me10_test.mi"),
                       const char* format = "MI", prepareT prepare = nullptr);
  ~conversionC();
  conversionC(const conversionC&) = delete;
  conversionC& operator=(const conversionC&) = delete;

  bool hasResultText() const;
  std::string resultText() const;
  // The input drawing after the conversion, in the compact text form.
  std::string inputText() const;

  metaObjectC request;
  std::string path;
  std::string file;    // as on disk
  std::string masked;  // with the date and time masked
  int progressCalls = 0;
  double firstProgress = -1;
  double lastProgress = -1;
};

}  // namespace lorvane::me10test
