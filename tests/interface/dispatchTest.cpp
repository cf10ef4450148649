#include "lorvane/interface/builtInWriters.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace lorvane {
namespace {

// What the dispatch handed to the writer, and the progress calls seen.
struct observed {
  int writers = 0;
  outputWriterKind kind = outputWriterKind::none;
  metaTreeC* input = nullptr;
  std::string path;
  int progressCalls = 0;
  bool throwInRun = false;
  bool reportInRun = false;
};
observed gSeen;

void countProgress(double, const char*) { ++gSeen.progressCalls; }

class recordingWriterC : public conversionWriterC {
public:
  using conversionWriterC::conversionWriterC;
  int run(metaTreeC* input, const std::string& outputPath) override {
    reportProgress(0.0);
    gSeen.input = input;
    gSeen.path = outputPath;
    if (gSeen.throwInRun) throw std::runtime_error("writer failed");
    if (gSeen.reportInRun) reportError("Datei %s konnte nicht erzeugt werden!", outputPath.c_str());
    reportProgress(100.0);
    return 1;
  }
};

std::unique_ptr<conversionWriterC> recordingFactory(outputWriterKind kind, lorvaneProgressCallback progress,
                                                    metaTreeC* request) {
  ++gSeen.writers;
  gSeen.kind = kind;
  return std::make_unique<recordingWriterC>(progress, request);
}

class Dispatch : public ::testing::Test {
protected:
  void SetUp() override { gSeen = observed{}; }
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
  void set(const char* key, const char* value) { metaObjectC(request.getOrAddChild(key)).setString(value); }
  std::int32_t convert() { return convertRequest(request.node(), &countProgress, &recordingFactory); }
  std::string resultText() {
    return std::string(metaObjectC(request.findChild("RESTEXT")).getString().view());
  }
};

TEST_F(Dispatch, ANullRequestReturnsZeroAndCallsNothing) {
  EXPECT_EQ(convertRequest(nullptr, &countProgress, &recordingFactory), 0);
  EXPECT_EQ(gSeen.writers, 0);
  EXPECT_EQ(gSeen.progressCalls, 0);
}

TEST_F(Dispatch, FormatNamesAreComparedWithoutCase) {
  EXPECT_EQ(writerForFormat("meta2dv1"), outputWriterKind::meta2d);
  EXPECT_EQ(writerForFormat("Meta"), outputWriterKind::meta2d);
  EXPECT_EQ(writerForFormat("META"), outputWriterKind::meta2d);
  EXPECT_EQ(writerForFormat("me10"), outputWriterKind::me10);
  EXPECT_EQ(writerForFormat("mI"), outputWriterKind::me10);
  EXPECT_EQ(writerForFormat("META2DV2"), outputWriterKind::none);
  EXPECT_EQ(writerForFormat("META2D"), outputWriterKind::none);
  EXPECT_EQ(writerForFormat("MI "), outputWriterKind::none);
  EXPECT_EQ(writerForFormat(""), outputWriterKind::none);
}

TEST_F(Dispatch, TheWriterGetsTheFirstInputChildAndThePathUnchanged) {
  set("NAME", "me10");
  set("OUTPUTLOCATION", "out/drawing");
  metaObjectC input(request.getOrAddChild("INPUTDATA"));
  metaTreeC* figure = input.addChild("FIGURE");
  input.addChild("DRAWING");
  EXPECT_EQ(convert(), 1);
  EXPECT_EQ(gSeen.writers, 1);
  EXPECT_EQ(gSeen.kind, outputWriterKind::me10);
  EXPECT_EQ(gSeen.input, figure);
  EXPECT_EQ(gSeen.path, "out/drawing");
  EXPECT_EQ(gSeen.progressCalls, 2);
  EXPECT_EQ(request.findChild("RESTEXT"), nullptr);
}

TEST_F(Dispatch, MissingKeysAreAddedEmptyButInputDataIsNot) {
  set("NAME", "META");
  EXPECT_EQ(convert(), 1);
  EXPECT_EQ(gSeen.writers, 1);
  EXPECT_EQ(gSeen.input, nullptr);
  EXPECT_NE(request.findChild("VERSION"), nullptr);
  EXPECT_NE(request.findChild("OUTPUTLOCATION"), nullptr);
  EXPECT_EQ(request.findChild("INPUTDATA"), nullptr);
}

TEST_F(Dispatch, AnEmptyInputDataHandsNoInput) {
  set("NAME", "META");
  request.getOrAddChild("INPUTDATA");
  convert();
  EXPECT_EQ(gSeen.input, nullptr);
}

TEST_F(Dispatch, UnknownFormatsRunNoWriterAndSetNothing) {
  for (const char* name : {"META2DV2", "META2D", ""}) {
    set("NAME", name);
    EXPECT_EQ(convert(), 1);
  }
  metaObjectC(request.findChild("NAME")).node()->firstChild()->value().setNumber(3);  // not a string
  EXPECT_EQ(convert(), 1);
  EXPECT_EQ(gSeen.writers, 0);
  EXPECT_EQ(gSeen.progressCalls, 0);
  EXPECT_EQ(request.findChild("RESTEXT"), nullptr);
}

TEST_F(Dispatch, AnExceptionInTheWriterBecomesUnknownException) {
  set("NAME", "MI");
  gSeen.throwInRun = true;
  EXPECT_EQ(convert(), 1);
  EXPECT_EQ(resultText(), "unknown exception");
  EXPECT_EQ(gSeen.progressCalls, 1);  // the closing call does not happen
}

TEST_F(Dispatch, ALaterErrorReplacesAnEarlierOne) {
  set("NAME", "MI");
  set("OUTPUTLOCATION", "/x");
  gSeen.reportInRun = true;
  convert();
  EXPECT_EQ(resultText(), "Datei /x konnte nicht erzeugt werden!");
  gSeen.reportInRun = false;
  gSeen.throwInRun = true;
  convert();
  EXPECT_EQ(resultText(), "unknown exception");
  int count = 0;
  for (metaTreeC* c = request.getFirstChild(); c; c = c->next()) count += c->hasKey("RESTEXT") ? 1 : 0;
  EXPECT_EQ(count, 1);
}

TEST_F(Dispatch, LongErrorTextsAreCutSafely) {
  set("NAME", "MI");
  const std::string longPath(2000, 'p');
  set("OUTPUTLOCATION", longPath.c_str());
  gSeen.reportInRun = true;
  convert();
  EXPECT_EQ(resultText().size(), 511u);
  EXPECT_EQ(resultText().substr(0, 10), "Datei pppp");
}

TEST_F(Dispatch, ANullProgressCallbackIsSkipped) {
  set("NAME", "MI");
  EXPECT_EQ(convertRequest(request.node(), nullptr, &recordingFactory), 1);
  EXPECT_EQ(gSeen.writers, 1);
  EXPECT_EQ(request.findChild("RESTEXT"), nullptr);
}

}  // namespace
}  // namespace lorvane
