#include "lorvane/module/capabilities.h"

#include <gtest/gtest.h>

#include <regex>

#include "lorvane/metatree/memory/memManCheckLeak.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane {
namespace {

std::string text(metaTreeC* record, const char* key) {
  return std::string(metaObjectC(metaObjectC(record).findChild(key)).getString().view());
}

metaTreeC* outputFormats(metaTreeC* caps) {
  metaObjectC pair(metaObjectC(metaObjectC(caps).findChild("IOPAIRS")).findChild("IOPAIR"));
  return pair.findChild("OUTFMTS");
}

std::vector<std::string> keysOf(metaTreeC* record) {
  std::vector<std::string> keys;
  for (metaTreeC* c = record->firstChild(); c; c = c->next()) keys.emplace_back(c->value().text().view());
  return keys;
}

class Capabilities : public ::testing::Test {
protected:
  metaObjectC caps{buildCapabilityTree(), true};
};

TEST_F(Capabilities, InfoNamesTheModuleInOrder) {
  EXPECT_TRUE(caps.hasKey("DLLIFACE"));
  EXPECT_EQ(caps.node()->parent(), nullptr);
  metaTreeC* info = caps.findChild("INFO");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(keysOf(info), (std::vector<std::string>{"NAME", "VERSION", "DESC", "DATE"}));
  EXPECT_EQ(text(info, "NAME"), "Lorvane");
  EXPECT_EQ(text(info, "VERSION"), "1.0.0");
  EXPECT_EQ(text(info, "DESC"), "Remote Part generation meta2d formats (meta2d, me10)");
  EXPECT_TRUE(std::regex_match(text(info, "DATE"),
                               std::regex("(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 0-9][0-9] [0-9]{4}:"
                                          "[0-9]{2}:[0-9]{2}:[0-9]{2}")))
      << text(info, "DATE");
  EXPECT_EQ(keysOf(caps.node()), (std::vector<std::string>{"INFO", "IOPAIRS"}));
}

TEST_F(Capabilities, OneInputFormatAndThreeOutputFormatsInOrder) {
  metaObjectC pairs(caps.findChild("IOPAIRS"));
  EXPECT_EQ(keysOf(pairs.node()), (std::vector<std::string>{"IOPAIR"}));
  metaObjectC pair(pairs.findChild("IOPAIR"));
  EXPECT_EQ(text(pair.findChild("INFMT"), "NAME"), "META2DV2");
  metaObjectC formats(outputFormats(caps.node()));
  EXPECT_EQ(text(formats.findChild("OUTFMT"), "NAME"), "META2DV1");
  std::vector<std::string> names;
  for (metaTreeC* f = formats.getFirstChild(); f; f = f->next()) names.push_back(text(f, "NAME"));
  EXPECT_EQ(names, (std::vector<std::string>{"META2DV1", "META", "MI"}));
}

TEST_F(Capabilities, EachOutputFormatHasItsKeysInOrder) {
  metaObjectC formats(outputFormats(caps.node()));
  metaTreeC* first = formats.getChild(0);
  metaTreeC* second = formats.getChild(1);
  metaTreeC* third = formats.getChild(2);
  EXPECT_EQ(keysOf(first), (std::vector<std::string>{"NAME", "DESC", "OUTMODE", "GROUP", "FILEEXT"}));
  EXPECT_EQ(keysOf(second), (std::vector<std::string>{"NAME", "DESC", "OUTMODE", "FILEEXT"}));
  EXPECT_EQ(keysOf(third), (std::vector<std::string>{"NAME", "DESC", "OUTMODE", "GROUP", "FILEEXT", "TOOLBARBMP"}));
  EXPECT_EQ(text(first, "DESC"), "KRV-V1 2D");
  EXPECT_EQ(text(first, "GROUP"), "NEUTRAL2D");
  EXPECT_EQ(text(first, "FILEEXT"), "krv");
  EXPECT_EQ(text(second, "FILEEXT"), "krv");
  EXPECT_EQ(text(third, "DESC"), "MI 2D");
  EXPECT_EQ(text(third, "GROUP"), "2DNATIVE");
  EXPECT_EQ(text(third, "FILEEXT"), "mi");
  EXPECT_EQ(text(third, "TOOLBARBMP"), "exportme10.bmp");
}

TEST_F(Capabilities, OutputModeIsTheNumberZero) {
  metaObjectC mode(metaObjectC(outputFormats(caps.node())).getChild(0)->firstChild()->next()->next());
  ASSERT_TRUE(mode.hasKey("OUTMODE"));
  int found = -1;
  EXPECT_EQ(mode.getInt(&found), 0);
  EXPECT_EQ(found, 1);
  EXPECT_STREQ(mode.getString(&found).c_str(), "");
  EXPECT_EQ(found, 0);
}

TEST(CapabilityTrees, TwoCallsGiveIndependentEqualTrees) {
  memManCheckLeakC check;
  metaTreeC* one = buildCapabilityTree();
  metaTreeC* two = buildCapabilityTree();
  EXPECT_NE(one, two);
  EXPECT_EQ(text(metaObjectC(outputFormats(one)).getChild(2), "NAME"), "MI");
  delete one;
  EXPECT_EQ(text(metaObjectC(outputFormats(two)).getChild(2), "NAME"), "MI");
  EXPECT_EQ(text(metaObjectC(two).findChild("INFO"), "NAME"), "Lorvane");
  delete two;
  EXPECT_EQ(check.leaked(), 0);
}

TEST(CapabilityTrees, TheDateJoinsCompilerDateAndTimeWithAColon) {
  EXPECT_EQ(buildDateText("Jun 27 2005", "15:37:40"), "Jun 27 2005:15:37:40");
}

}  // namespace
}  // namespace lorvane
