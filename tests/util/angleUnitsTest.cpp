#include <gtest/gtest.h>

#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

// The orders round differently for some angles; written files depend on
// which one a place uses. Expected bits computed apart from this code.
TEST(AngleUnits, EachOrderKeepsItsOwnRounding) {
  EXPECT_EQ(degreesToRadiansDividingFirst(33.333), 0x1.29ddd605d4db4p-1);
  EXPECT_EQ(degreesToRadiansMultiplyingFirst(33.333), 0x1.29ddd605d4db5p-1);
  EXPECT_EQ(degreesToRadiansMultiplyingFirst(3), 0x1.acee9f37bebd5p-5);
  EXPECT_EQ(degreesToRadiansByFactor(3), 0x1.acee9f37bebd6p-5);
  EXPECT_EQ(radiansToDegreesMultiplyingFirst(1), 0x1.ca5dc1a63c1f8p+5);
}

TEST(AngleUnits, PiIsTheDoubleNearestToIt) { EXPECT_EQ(kPi, 0x1.921fb54442d18p+1); }

}  // namespace
}  // namespace lorvane
