// The sampling loop guards against spans and steps that would never end
// (a step that vanishes against the parameter, a sample limit). For the
// spans and steps of real drawings those guards must be invisible: the
// samples are exactly those of the plain loop
//   for (t = from; t < to; t = t + h) emit(t); if (t != to) emit(to);
// bit for bit, because the rounding of the running sum decides whether the
// last sample lands on the end.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "lorvane/geometry/curveSampling.h"
#include "lorvane/geometry/shapeBase.h"
#include "requestTrees.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::hardening {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();
// 5 degrees as the drawing format defines it, by its bit pattern.
const double kFiveDegrees = std::bit_cast<double>(std::uint64_t{0x3FB657184AE74487});

// The parameters the plain loop visits; step 0 stands for the 5-degree step.
std::vector<double> plainLoop(double from, double to, double step) {
  const double h = step == 0 ? kFiveDegrees : step;
  std::vector<double> samples;
  double t = from;
  for (; t < to; t = t + h) samples.push_back(t);
  if (t != to) samples.push_back(to);
  return samples;
}

std::vector<double> sampledParameters(double from, double to, double step) {
  pointListC points;
  sampleParameterRange(from, to, step, [](double t) { return point2dC{t, 0.0}; }, points);
  std::vector<double> samples;
  samples.reserve(points.size());
  for (const point2dC& p : points) samples.push_back(p.x);
  return samples;
}

// Bit patterns, so that -0 and 0 or two NaNs are told apart as well.
// Reports the first difference only: a wrong loop differs everywhere.
void expectSameSamples(double from, double to, double step) {
  const std::vector<double> expected = plainLoop(from, to, step);
  const std::vector<double> actual = sampledParameters(from, to, step);
  ASSERT_EQ(actual.size(), expected.size()) << "from " << from << " to " << to << " step " << step;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (std::bit_cast<std::uint64_t>(actual[i]) != std::bit_cast<std::uint64_t>(expected[i])) {
      EXPECT_EQ(actual[i], expected[i]) << "sample " << i << " from " << from << " to " << to << " step " << step;
      return;
    }
  }
}

const double kSteps[] = {0.01, 0.1, 1e-3, 0.0, 0.08726646259971647, 0.3, 1.0, 0.02908882086657216, 0.7};

// Spans up to two full turns either way, multiples of the steps and not.
const double kSpans[] = {0.0,      kDenormMin, 1e-300,         1e-12, 1e-3,  0.01,    0.05,     1.0,
                         kPi / 2,  kPi,        2 * kPi,        4 * kPi, 4 * kPi - 1e-9, 3.7,     10.0,
                         12.5,     -1e-12,     -1.0,           -kPi,  -2 * kPi, -4 * kPi, 0.3 * 7, 0.1 * 10};

const double kStarts[] = {0.0, 1.0, -2 * kPi, -kPi / 3, 5.0 / 3, -1e-3, 100.0, 1e-9};

TEST(SamplingEquivalence, SpansUpToTwoTurnsGiveThePlainLoopsSamples) {
  for (double from : kStarts) {
    for (double span : kSpans) {
      for (double step : kSteps) expectSameSamples(from, from + span, step);
    }
  }
}

// The ranges the shapes hand over: a full turn, an arc's range with a turn
// added to its end, an elliptic arc's start moved back by a turn.
TEST(SamplingEquivalence, TheShapesRangesGiveThePlainLoopsSamples) {
  const struct {
    double from, to;
  } ranges[] = {
      {0.0, 2 * kPi},
      {degreesToRadiansByFactor(300) - 2 * kPi, degreesToRadiansByFactor(60)},
      {degreesToRadiansByFactor(270), degreesToRadiansByFactor(90) + 2 * kPi},
      {degreesToRadiansByFactor(359.9999), degreesToRadiansByFactor(0.0001) + 2 * kPi},
      {0.0, degreesToRadiansByFactor(180)},
      {degreesToRadiansByFactor(45), degreesToRadiansByFactor(45) + 2 * kPi},
      {-degreesToRadiansByFactor(720), 0.0},
  };
  for (const auto& range : ranges) {
    for (double step : kSteps) expectSameSamples(range.from, range.to, step);
  }
}

// The running sum of the 5-degree step stays just short of a full turn
// after 72 additions: 73 samples, then the closing one at 2 pi.
TEST(SamplingEquivalence, FullTurnAtTheDefaultStepHasSeventyFourSamples) {
  const std::vector<double> samples = sampledParameters(0.0, 2 * kPi, 0.0);
  ASSERT_EQ(samples.size(), 74u);
  EXPECT_LT(samples[72], 2 * kPi);
  EXPECT_EQ(samples[73], 2 * kPi);
}

// Just under the sample limit the limit changes nothing either.
TEST(SamplingEquivalence, AMillionSamplesAreStillThePlainLoops) {
  ASSERT_GT(kMaxSamples, 1000001u);
  expectSameSamples(0.0, 1.0, 1e-6);
}

// Whole shapes: a circle's points are centre + r * (cos t, sin t) at the
// plain loop's parameters from 0 to 2 pi.
TEST(SamplingEquivalence, CirclePointsSitAtThePlainLoopsParameters) {
  metaObjectC circle = testing::treeFromText("CIRCLE{POINT{2,-3} RAD{1.5}}");
  mBaseShape2dC view(circle.node());
  for (double step : {0.0, 0.01, 0.1, 1e-3}) {
    pointListC points;
    view.getPoints(points, step);
    const std::vector<double> ts = plainLoop(0.0, 2 * kPi, step);
    ASSERT_EQ(points.size(), ts.size()) << step;
    for (std::size_t i = 0; i < ts.size(); ++i) {
      ASSERT_EQ(points[i].x, 2 + 1.5 * std::cos(ts[i])) << "step " << step << " sample " << i;
      ASSERT_EQ(points[i].y, -3 + 1.5 * std::sin(ts[i])) << "step " << step << " sample " << i;
    }
  }
}

// An elliptic arc from 300 to 60 degrees of parameter runs from -60 to 60.
TEST(SamplingEquivalence, EllipticArcPointsSitAtThePlainLoopsParameters) {
  metaObjectC arc = testing::treeFromText("ELLIPSEARC{POINT{0,0} RAD1{2} RAD2{1} ANGLE{0} ANGLE1{300} ANGLE2{60}}");
  mBaseShape2dC view(arc.node());
  for (double step : {0.0, 0.01, 0.1, 1e-3}) {
    pointListC points;
    view.getPoints(points, step);
    const std::vector<double> ts = plainLoop(degreesToRadiansDividingFirst(300.0) - 2 * kPi, degreesToRadiansDividingFirst(60.0), step);
    ASSERT_EQ(points.size(), ts.size()) << step;
    for (std::size_t i = 0; i < ts.size(); ++i) {
      ASSERT_EQ(points[i].x, 2 * std::cos(ts[i])) << "step " << step << " sample " << i;
      ASSERT_EQ(points[i].y, std::sin(ts[i])) << "step " << step << " sample " << i;
    }
  }
}

// Values no drawing means: the loop ends at once or at the sample limit.
TEST(SamplingEquivalence, HostileSpansAndStepsEndWithinTheSampleLimit) {
  const double froms[] = {0.0, -1e300, kNan, -kInf, 1e300};
  const double spans[] = {1e300, kInf, kNan, 4 * kPi, -1e300, 1.0};
  const double steps[] = {1e-300, kDenormMin, 0.0, -1.0, -1e-3, kNan, kInf, -kInf, 1e300};
  for (double from : froms) {
    for (double span : spans) {
      for (double step : steps) {
        const double to = from + span;
        const std::vector<double> samples = sampledParameters(from, to, step);
        // The samples are the work, one call of the curve each: kMaxSamples
        // from the loop, then the closing sample at the end.
        EXPECT_LE(samples.size(), kMaxSamples + 1) << from << " " << to << " " << step;
        if (!(from == to)) {  // an empty span has no samples; any other at least the end
          EXPECT_FALSE(samples.empty()) << from << " " << to << " " << step;
        }
      }
    }
  }
}

}  // namespace
}  // namespace lorvane::hardening
