// What the writer base gives every writer: intermediate progress when the
// request asks for it, and the report of the first value a file cannot hold.
#include <gtest/gtest.h>

#include <vector>

#include "lorvane/module/builtInFormats.h"

namespace lorvane {
namespace {

std::vector<double> gCalls;
void recordProgress(double percent, const char*) { gCalls.push_back(percent); }

// Steps through two phases the way a writer does, and reports two values.
class steppingWriterC : public conversionWriterC {
public:
  using conversionWriterC::conversionWriterC;
  int run(metaTreeC*, const std::string&) override {
    reportProgress(0.0);
    meter().beginPhase(0.0, 60.0, 1000);
    for (int i = 0; i < 1000; ++i) meter().step();
    meter().mark();
    meter().beginPhase(60.0, 100.0, 3);
    for (int i = 0; i < 3; ++i) meter().step();
    reportUnrepresentable(unrepresentableKind::number, "Plate", 2, "250");
    reportUnrepresentable(unrepresentableKind::text, "Other", 3, "500");
    reportProgress(100.0);
    return 1;
  }
};

std::unique_ptr<conversionWriterC> steppingFactory(lorvaneProgressCallback progress, metaTreeC* request) {
  return std::make_unique<steppingWriterC>(progress, request);
}
constexpr outputFormatC kFormats[] = {{"META", nullptr, "", nullptr, "krv", nullptr, &steppingFactory}};

class WriterBase : public ::testing::Test {
protected:
  void SetUp() override {
    gCalls.clear();
    metaObjectC(request.getOrAddChild("NAME")).setString("META");
  }
  void convert() { convertRequest(request.node(), &recordProgress, kFormats); }
  std::string resultText() { return std::string(metaObjectC(request.findChild("RESTEXT")).getString().view()); }
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
};

TEST_F(WriterBase, WithoutProgressDetailOnlyTheFirstAndLastCallAreMade) {
  convert();
  EXPECT_EQ(gCalls, (std::vector<double>{0.0, 100.0}));
  EXPECT_EQ(request.findChild("PROGRESSDETAIL"), nullptr);
}

TEST_F(WriterBase, ProgressDetailZeroOrNotANumberAsksForNothing) {
  for (const char* value : {"0", "\"1\""}) {
    gCalls.clear();
    metaTreeC* member = request.getOrAddChild("PROGRESSDETAIL");
    metaObjectC(member).removeAllChildren();
    if (value[0] == '0') metaObjectC(member).setInt(0);
    else metaObjectC(member).setString("1");
    convert();
    EXPECT_EQ(gCalls.size(), 2u) << value;
  }
}

TEST_F(WriterBase, ProgressDetailGivesAStepForEveryHundredthAndEachMarkInsideTheRange) {
  metaObjectC(request.getOrAddChild("PROGRESSDETAIL")).setInt(1);
  convert();
  // 100 of the first phase's 1000 steps, the mark, 3 of the second's 3.
  ASSERT_EQ(gCalls.size(), 2u + 100u + 1u + 3u);
  EXPECT_EQ(gCalls.front(), 0.0);
  EXPECT_EQ(gCalls.back(), 100.0);
  for (std::size_t i = 1; i + 1 < gCalls.size(); ++i) {
    EXPECT_GT(gCalls[i], 0.0);
    EXPECT_LT(gCalls[i], 100.0);
    EXPECT_GE(gCalls[i], gCalls[i - 1]);
  }
  // The first phase ends below its share, the second starts above it: 1000
  // steps of 1002 parts of 60, then the first of 3 steps, 2 of 5 parts of 40.
  EXPECT_DOUBLE_EQ(gCalls[100], 60.0 * 1001 / 1002);
  EXPECT_DOUBLE_EQ(gCalls[102], 60.0 + 40.0 * 2 / 5);
}

TEST_F(WriterBase, OnlyTheFirstValueThatCannotBeHeldIsReported) {
  convert();
  EXPECT_EQ(resultText(), "Figur Plate: Zahl im Satz 250 nicht darstellbar!");
}

class namingWriterC : public conversionWriterC {
public:
  namingWriterC(metaTreeC* request, std::string name) : conversionWriterC(nullptr, request), name_(std::move(name)) {}
  int run(metaTreeC*, const std::string&) override {
    reportUnrepresentable(unrepresentableKind::text, name_, 4, "914");
    return 1;
  }

private:
  std::string name_;
};

TEST_F(WriterBase, AFigureWhoseNameCannotStandOnTheMessagesLineIsNamedByItsPosition) {
  for (const char* name : {"", "a\nb", "a\rb"}) {
    namingWriterC(request.node(), name).run(nullptr, "");
    EXPECT_EQ(resultText(), "Figur Nr. 4: Text im Satz 914 nicht darstellbar!") << name;
  }
}

}  // namespace
}  // namespace lorvane
