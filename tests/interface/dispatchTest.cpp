#include "lorvane/module/builtInFormats.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace lorvane {
namespace {

// What the dispatch handed to the writer, and the progress calls seen.
struct observed {
  int writers = 0;
  const char* writerOf = nullptr;  // the table row whose writer was made
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

template <const char* row>
std::unique_ptr<conversionWriterC> recordingFactory(lorvaneProgressCallback progress, metaTreeC* request) {
  ++gSeen.writers;
  gSeen.writerOf = row;
  return std::make_unique<recordingWriterC>(progress, request);
}

constexpr char kFirst[] = "first";
constexpr char kSecond[] = "second";
constexpr outputFormatC kFormats[] = {
    {"META2DV1", nullptr, "", nullptr, "krv", nullptr, &recordingFactory<kFirst>},
    {"META", nullptr, "", nullptr, "krv", nullptr, &recordingFactory<kFirst>},
    {"MI", "ME10", "", nullptr, "mi", nullptr, &recordingFactory<kSecond>},
};

class Dispatch : public ::testing::Test {
protected:
  void SetUp() override { gSeen = observed{}; }
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
  void set(const char* key, const char* value) { metaObjectC(request.getOrAddChild(key)).setString(value); }
  std::int32_t convert() { return convertRequest(request.node(), &countProgress, kFormats); }
  std::string resultText() {
    return std::string(metaObjectC(request.findChild("RESTEXT")).getString().view());
  }
};

TEST_F(Dispatch, ANullRequestReturnsZeroAndCallsNothing) {
  EXPECT_EQ(convertRequest(nullptr, &countProgress, kFormats), 0);
  EXPECT_EQ(gSeen.writers, 0);
  EXPECT_EQ(gSeen.progressCalls, 0);
}

TEST_F(Dispatch, FormatNamesAreComparedWithoutCase) {
  const std::span<const outputFormatC> formats = builtInFormats();
  auto named = [&](const char* name) {
    const outputFormatC* format = formatNamed(name, formats);
    return format ? std::string(format->name) : std::string("none");
  };
  EXPECT_EQ(named("meta2dv1"), "META2DV1");
  EXPECT_EQ(named("Meta"), "META");
  EXPECT_EQ(named("me10"), "MI");
  EXPECT_EQ(named("mI"), "MI");
  EXPECT_EQ(named("META2DV2"), "none");
  EXPECT_EQ(named("META2D"), "none");
  EXPECT_EQ(named("MI "), "none");
  EXPECT_EQ(named(""), "none");
}

TEST_F(Dispatch, TheWriterGetsTheFirstInputChildAndThePathUnchanged) {
  set("NAME", "me10");
  set("OUTPUTLOCATION", "out/drawing");
  metaObjectC input(request.getOrAddChild("INPUTDATA"));
  metaTreeC* figure = input.addChild("FIGURE");
  input.addChild("DRAWING");
  EXPECT_EQ(convert(), 1);
  EXPECT_EQ(gSeen.writers, 1);
  EXPECT_EQ(gSeen.writerOf, kSecond);
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
  EXPECT_EQ(convertRequest(request.node(), nullptr, kFormats), 1);
  EXPECT_EQ(gSeen.writers, 1);
  EXPECT_EQ(request.findChild("RESTEXT"), nullptr);
}

}  // namespace
}  // namespace lorvane
