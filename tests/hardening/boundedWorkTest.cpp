// Work that stored values steer stays bounded: sampling spans taken
// from huge, infinite or NaN angles, vanishing steps, and the conversions
// of shapes that carry such values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "lorvane/geometry/curveSampling.h"
#include "lorvane/geometry/shapeBase.h"
#include "failingHeap.h"
#include "hardeningSupport.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::hardening {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void noProgress(double, const char*) {}

// A shape record from the text form, its numbers replaced afterwards where
// the text form cannot hold them: key -> value.
metaObjectC shape(const std::string& text, std::initializer_list<std::pair<const char*, double>> numbers = {}) {
  metaObjectC node = testing::treeFromText(text);
  for (const auto& [key, value] : numbers) metaObjectC(node.getOrAddChild(key)).setDouble(value);
  return node;
}

TEST(BoundedWork, SamplingStopsAtTheSampleLimitForAnyStep) {
  pointListC out;
  const auto at = [](double t) { return point2dC{t, 0}; };
  for (double step : {1e-300, std::numeric_limits<double>::denorm_min(), -1.0, kNan, kInf, 0.0}) {
    out.clear();
    sampleParameterRange(0.0, 1.0, step, at, out);
    EXPECT_LE(out.size(), kMaxSamples + 1) << step;
    EXPECT_EQ(out.back().x, 1.0) << step;
  }
}

TEST(BoundedWork, SamplingSpansThatAreHugeInfiniteOrNanEnd) {
  pointListC out;
  std::size_t calls = 0;
  const auto at = [&calls](double t) {
    ++calls;
    return point2dC{t, 0};
  };
  const struct {
    double from, to;
  } spans[] = {{-1e300, 1e300}, {0, kInf}, {-kInf, 0}, {kNan, 1}, {0, kNan}, {1e300, 1e300 + 1}, {-kInf, kInf}};
  for (const auto& span : spans) {
    out.clear();
    calls = 0;
    sampleParameterRange(span.from, span.to, 0.1, at, out);
    // The work is the points computed: every one of them is kept.
    EXPECT_EQ(calls, out.size());
    EXPECT_LE(out.size(), kMaxSamples + 1) << span.from << " " << span.to;
    if (span.from != span.to) {  // 1e300 + 1 is 1e300: an empty span
      EXPECT_GE(out.size(), 1u);
    }
  }
}

// A shape samples its curve once: the points it gives are the work it did.
TEST(BoundedWork, EllipticArcsWithExtremeAnglesGiveBoundedPoints) {
  const std::pair<double, double> angles[] = {{-1e300, 1e300}, {0, 1e300}, {kNan, 60}, {0, kNan},
                                              {-kInf, kInf}, {0, kInf},    {1e300, -1e300}};
  for (const auto& [a1, a2] : angles) {
    metaObjectC arc = shape("ELLIPSEARC{POINT{0,0} RAD1{2} RAD2{1} ANGLE{0}}", {{"ANGLE1", a1}, {"ANGLE2", a2}});
    mBaseShape2dC view(arc.node());
    pointListC points;
    for (double step : {0.0, 1e-300, kNan}) {
      view.getPoints(points, step);
      EXPECT_LE(points.size(), kMaxSamples + 2) << a1 << " " << a2 << " step " << step;
    }
  }
}

TEST(BoundedWork, EllipsesWithExtremeValuesGiveBoundedPoints) {
  for (double v : {1e300, -1e300, kNan, kInf, 1e-300}) {
    metaObjectC ellipse = shape("ELLIPSE{POINT{0,0}}", {{"RAD1", v}, {"RAD2", 1}, {"ANGLE", v}});
    mBaseShape2dC view(ellipse.node());
    pointListC points;
    view.getPoints(points, 1e-300);
    EXPECT_LE(points.size(), kMaxSamples + 2) << v;
  }
}

// The whole road: the writers sample and fit such shapes with bounded work,
// counted as heap allocations.
TEST(BoundedWork, ConversionsOfShapesWithExtremeAnglesEnd) {
  for (const char* format : {"META", "MI"}) {
    for (double a : {1e300, kNan, kInf}) {
      metaObjectC request = conversionRequest(R"(FIGURE{NAME{"B"} FIGURITEMS{
          ELLIPSEARC{POINT{0,0} RAD1{2} RAD2{1} ANGLE{0} ANGLE1{0} ANGLE2{0}}
          ELLIPSE{POINT{0,0} RAD1{2} RAD2{1} ANGLE{0}}}})",
                                        format, scratchPath(std::string("bounded.") + format));
      metaTreeC* items = metaObjectC(metaObjectC(request.findChild("INPUTDATA")).findChild("FIGURE")).findChild("FIGURITEMS");
      ASSERT_NE(items, nullptr);
      metaObjectC(metaObjectC(items->firstChild()).findChild("ANGLE1")).setDouble(-a);
      metaObjectC(metaObjectC(items->firstChild()).findChild("ANGLE2")).setDouble(a);
      metaObjectC(metaObjectC(items->firstChild()->next()).findChild("ANGLE")).setDouble(a);
      const long long allocations =
          heapAllocationsOf([&] { EXPECT_EQ(convertRequest(request.node(), &noProgress), 1); });
      // Not one per sample: the samples of both shapes, up to the sample
      // limit each, would make millions.
      EXPECT_LT(allocations, 5000) << format << " " << a;
      // Coordinates that are not numbers are reported; nothing else is.
      if (hasResultText(request)) {
        EXPECT_NE(resultText(request).find("Zahl im Satz"), std::string::npos);
      }
      std::remove(scratchPath(std::string("bounded.") + format).c_str());
    }
  }
}

}  // namespace
}  // namespace lorvane::hardening
