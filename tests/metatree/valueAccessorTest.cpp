#include "lorvane/metatree/metaObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "lorvane/metatree/numberConversion.h"

namespace lorvane {
namespace {

class ValueAccessors : public ::testing::Test {
protected:
  metaObjectC root = metaObjectVirtualDataBaseC::createTree("ROOT", true);
  metaObjectC attribute{root.addChild("ATTR")};
};

TEST_F(ValueAccessors, SetIntThenGetDoubleGivesTheConvertedValue) {
  attribute.setInt(-7);
  int found = -1;
  EXPECT_EQ(attribute.getDouble(&found), -7.0);
  EXPECT_EQ(found, 1);
}

TEST_F(ValueAccessors, GetIntTruncatesTowardZero) {
  attribute.setDouble(-2.9);
  EXPECT_EQ(attribute.getInt(), -2);
  attribute.setDouble(2.9);
  EXPECT_EQ(attribute.getInt(), 2);
}

TEST_F(ValueAccessors, OutOfRangeAndNaNIntegersGiveTheMostNegativeValue) {
  for (double v : {1e300, -1e300, 2147483648.0, -2147483649.0, std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity()}) {
    metaObjectC node(root.addChild("N"));
    node.setDouble(v);
    EXPECT_EQ(node.getInt(), INT32_MIN) << v;
  }
  EXPECT_EQ(truncateToInt32(2147483647.9), 2147483647);
  EXPECT_EQ(truncateToInt32(-2147483648.9), INT32_MIN);
  EXPECT_EQ(truncateToInt32(-2147483647.5), -2147483647);
}

TEST_F(ValueAccessors, SetStringOnANumberChangesNothing) {
  attribute.setDouble(1.5);
  attribute.setString("text");
  int found = -1;
  EXPECT_STREQ(attribute.getString(&found).c_str(), "");
  EXPECT_EQ(found, 0);
  EXPECT_EQ(attribute.getDouble(), 1.5);
  attribute.setString("ignored");
  EXPECT_EQ(attribute.node()->firstChild()->next(), nullptr);
}

TEST_F(ValueAccessors, NumbersReadAsEmptyStringsAndStringsAsZero) {
  attribute.setString("12");
  int found = -1;
  EXPECT_EQ(attribute.getInt(&found), 0);
  EXPECT_EQ(found, 0);
  EXPECT_EQ(attribute.getString(), std::string_view("12"));
}

TEST_F(ValueAccessors, SettersReplaceInPlaceAndKeepTheTag) {
  attribute.setDouble(1.0);
  attribute.node()->firstChild()->value().setTag(5, 0);
  const std::uint32_t changes = metaTreeChangeCount;
  attribute.setDouble(2.0);
  EXPECT_EQ(metaTreeChangeCount, changes);  // no structural change
  EXPECT_EQ(attribute.getDouble(), 2.0);
  EXPECT_EQ(attribute.node()->firstChild()->value().tagLine(), 5);
}

TEST_F(ValueAccessors, ANewValueNodeCountsOneChange) {
  const std::uint32_t changes = metaTreeChangeCount;
  attribute.setString("new");
  EXPECT_EQ(metaTreeChangeCount, changes + 1);
  EXPECT_EQ(attribute.node()->firstChild()->value().tagLine(), -1);
}

TEST_F(ValueAccessors, MissingValuesReadAsDefaults) {
  int found = -1;
  EXPECT_EQ(attribute.getDouble(&found), 0.0);
  EXPECT_EQ(found, 0);
  EXPECT_EQ(attribute.getInt(), 0);
  EXPECT_TRUE(attribute.getString().empty());
}

}  // namespace
}  // namespace lorvane
