// How the errors of printed numbers carry into computed values, against
// bounds worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "lorvane/preview/valueErrors.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::preview {
namespace {

TEST(ValueErrors, ARadiusAddsBothPointsErrorsAcrossEachCoordinate) {
  // A centre near 2000 (half a unit of the sixth digit: 0.005) and a point
  // near 500 (0.0005): the difference moves by up to 0.0055 in x and in y,
  // the distance by up to 0.0055 * sqrt(2).
  EXPECT_NEAR(distanceError({0.005, 0.005}, {0.0005, 0.0005}), 0.0077781745930520, 1e-15);
  EXPECT_EQ(distanceError({0, 0.25}, {0, 0.5}), 0.75);
}

TEST(ValueErrors, APointOnACircleTakesTheRadiusAndTheTurnAlong) {
  // Radius 10 within 1e-4, turned by up to 1e-5 radians: 1e-4 + 10.0001e-5
  // = 2.00001e-4 on top of each coordinate of the centre.
  const pointC e = pointOnCircleError({1e-3, 2e-3}, -10, 1e-4, 1e-5);
  EXPECT_NEAR(e.x, 1.200001e-3, 1e-18);
  EXPECT_NEAR(e.y, 2.200001e-3, 1e-18);
}

TEST(ValueErrors, ADirectionTurnsByTheErrorAcrossIt) {
  // (0.6, 0.8) within 5e-7 each: across it 0.6 * 5e-7 + 0.8 * 5e-7 = 7e-7,
  // over a length of at least 1 - 5e-7 * sqrt(2); asin of that in degrees.
  const double across = 7e-7 / (1 - 5e-7 * std::sqrt(2.0));
  EXPECT_NEAR(directionError(0.6, 0.8, 5e-7, 5e-7), radiansToDegreesMultiplyingFirst(std::asin(across)), 1e-17);
  // Along an axis only the other component's error turns it.
  EXPECT_NEAR(directionError(-1, 0, 0, 5e-6), radiansToDegreesMultiplyingFirst(std::asin(5e-6 / (1 - 5e-6))), 1e-18);
  // A vector that may be zero may point anywhere.
  EXPECT_EQ(directionError(0, 0, 0, 0), 180);
  EXPECT_EQ(directionError(1e-6, 0, 5e-6, 5e-6), 180);
}

}  // namespace
}  // namespace lorvane::preview
