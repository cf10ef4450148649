#include "me10TestSupport.h"

#include <filesystem>

#include <gtest/gtest.h>

#include <cstdio>

#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "lorvane/document/modelRegistration.h"
#include "lorvane/util/fileContents.h"

namespace lorvane::me10test {
namespace {

conversionC* gRunning = nullptr;

void recordProgress(double percent, const char* text) {
  EXPECT_STREQ(text, "");
  if (!gRunning) return;
  if (gRunning->progressCalls++ == 0) gRunning->firstProgress = percent;
  gRunning->lastProgress = percent;
}

}  // namespace

std::string headerSection() {
  return crlfLines({"#~3", "metafile.mit", "", "", "", "", "", "", "<date>", "<time>", "", "HP ME10 Rev. 06.11", "2.21",
                "2D", "0", "0", "0", "0", "0", "0", "1", "XX", "1", "mm", "RAD", "1E-12", "0.0001", "32", "0", "0", "1",
                "0", "0", "0", "0", "1", "0", "0", "0", "0", "1", "0", "0", "0", "0", "1", "4", "1", "0", "0", "3.5"});
}

std::string oneLineFigureFile(const char* x0, const char* y0, const char* x1, const char* y1) {
  return crlfLines({"#~2", "2", "TC41:1", "TC5:3", "F`~1", "3", "TC61:4", "TC62:6", "PLAST:6", "LAST:6"}) +
         headerSection() +
         crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~", "ASSP", "2", "1", "LAYER: 1", "|~",
                    "#~5", "ASSE", "3", "1", "1", "F`~1", "1", "0", "0", "0", "0", "0", "|~",
                    "#~6", "F`~1",
                    "#~61", "P", "4", x0, y0, "|~", "P", "5", x1, y1, "|~",
                    "#~62", "LIN", "6", "7", "0", "1.000", "0", "1", "2", "4", "5", "|~",
                    "#~71", "#~72", "##~~"});
}

// Only scratch files are removed: a test that writes to a device (the full
// disk of /dev/full) must not delete the device, which root could.
static void removeScratchFile(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) std::filesystem::remove(path, error);
}

conversionC::conversionC(const char* input, std::string output, const char* format, prepareT prepare)
    : request(metaObjectVirtualDataBaseC::createTree("REQUEST", true)), path(std::move(output)) {
  removeScratchFile(path);
  metaObjectC(request.getOrAddChild("NAME")).setString(format);
  metaObjectC(request.getOrAddChild("OUTPUTLOCATION")).setString(path);
  if (input) {
    metaObjectC data(request.getOrAddChild("INPUTDATA"));
    metaTextReaderC reader;
    metaObjectC tree = reader.readTree(input, false);
    EXPECT_FALSE(reader.failed()) << reader.errorText();
    if (tree.isValid()) metaTreeC::appendChildren(tree.node(), data.node());
    if (prepare) prepare(data.getFirstChild());
  }
  gRunning = this;
  EXPECT_EQ(convertRequest(request.node(), &recordProgress), 1);
  gRunning = nullptr;
  // A device is not read back: /dev/full reads as endless zeros.
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) file = readFileBytes(path);
  masked = maskTimestamp(file);
}

conversionC::~conversionC() { removeScratchFile(path); }

bool conversionC::hasResultText() const { return request.findChild("RESTEXT") != nullptr; }

std::string conversionC::resultText() const {
  return std::string(metaObjectC(request.findChild("RESTEXT")).getString().view());
}

std::string conversionC::inputText() const {
  metaTreeC* data = request.findChild("INPUTDATA");
  return data && data->firstChild() ? writeTree(data->firstChild(), false, true) : std::string();
}

}  // namespace lorvane::me10test
