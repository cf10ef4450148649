#include "consistencyCheck.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <utility>

namespace lorvane::cli {
namespace {

using preview::elementC;
using preview::elementKind;
using preview::pointC;
using preview::sceneC;

// Both files are written with doubles computed along other paths than the
// ones taken here (the writers' circumcentre, their angle rule): results may
// differ in the last bits, which this relative margin absorbs.
constexpr double kArithmeticMargin = 1e-9;
// META2D gives an arc by its angles, which the writer finds by an arccosine:
// near 0 and 180 degrees that is good to about 1e-8 radians, so arc ends
// are compared within this share of the radius.
constexpr double kAngleMargin = 1e-7;
// A text's direction as a unit vector: META2D prints the angle to 22
// decimals; MI prints cosine and sine to six significant digits.
constexpr double kDirectionMarginMeta2d = 1e-12;
constexpr double kDirectionMarginMi = 1e-5;
// MI prints a text's height to six significant digits.
constexpr double kMiRelativePrecision = 5e-6;

constexpr double kPi = 3.141592653589793;

bool near(double expected, double actual, double precision) {
  if (std::isnan(expected) || std::isnan(actual)) return std::isnan(expected) && std::isnan(actual);
  if (std::isinf(expected) || std::isinf(actual)) return expected == actual;
  const double magnitude = std::max({1.0, std::fabs(expected), std::fabs(actual)});
  return std::fabs(expected - actual) <= precision + kArithmeticMargin * magnitude;
}

bool near(pointC expected, pointC actual, double precision) {
  return near(expected.x, actual.x, precision) && near(expected.y, actual.y, precision);
}

struct toleranceC {
  double position = 0;     // absolute error a coordinate may carry
  double direction = 0;    // of a text's unit direction vector
  double heightShare = 0;  // relative error of a text height
};

bool sameElement(const elementC& expected, const elementC& actual, const toleranceC& tolerance) {
  if (expected.kind != actual.kind) return false;
  const double p = tolerance.position;
  switch (expected.kind) {
    case elementKind::line:
      return near(expected.a, actual.a, p) && near(expected.b, actual.b, p);
    case elementKind::circle:
      return near(expected.centre, actual.centre, p) && near(expected.radius, actual.radius, 2 * p);
    case elementKind::arc: {
      const double ends = 2 * p + kAngleMargin * std::max(std::fabs(expected.radius), std::fabs(actual.radius));
      return near(expected.centre, actual.centre, p) && near(expected.radius, actual.radius, 2 * p) &&
             near(expected.a, actual.a, ends) && near(expected.b, actual.b, ends);
    }
    case elementKind::text: {
      const double e = expected.angle * kPi / 180, a = actual.angle * kPi / 180;
      return near(expected.a, actual.a, p) &&
             near(expected.height, actual.height, tolerance.heightShare * std::fabs(expected.height)) &&
             near(std::cos(e), std::cos(a), tolerance.direction) && near(std::sin(e), std::sin(a), tolerance.direction);
    }
  }
  return false;
}

toleranceC toleranceFor(preview::elementC const& actual, writtenFormat format, double extra = 0) {
  toleranceC t;
  t.position = actual.precision + extra;
  t.direction = format == writtenFormat::mi ? kDirectionMarginMi : kDirectionMarginMeta2d;
  t.heightShare = format == writtenFormat::mi ? kMiRelativePrecision : 0;
  return t;
}

std::string number(double v) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

std::string point(pointC p) { return "(" + number(p.x) + ", " + number(p.y) + ")"; }

// One figure's share of a file: its elements in the order written.
struct figureShareC {
  bool present = false;
  std::vector<const elementC*> elements;
};

using runC = std::pair<std::size_t, std::size_t>;  // [first, end) of a figure share's elements

struct alignmentC {
  std::optional<disagreementC> first;
  std::size_t compared = 0;
  // Per figure: the elements each item other than a line, arc, circle or
  // text became, keyed by the item's position among the figure's items.
  std::vector<std::map<std::size_t, std::vector<const elementC*>>> approximations;
};

disagreementC disagreement(const inputFigureC& figure, const inputItemC* item, const elementC* written) {
  disagreementC d;
  d.figure = figure.name;
  if (item) {
    d.inputLine = item->sourceLine;
    d.inputElement = item->isElement ? describe(item->element) : item->key;
  } else {
    d.inputElement = "nothing more";
  }
  if (written) {
    d.fileLine = written->sourceLine;
    d.fileElement = describe(*written);
  } else {
    d.fileElement = "nothing more";
  }
  return d;
}

// Walks the items against the written elements. An item the writers
// approximate takes the written lines and arcs up to the first one that is
// the next item's own element.
void alignShare(const inputFigureC& figure, const std::vector<std::size_t>& itemIndices,
                const std::vector<const elementC*>& written, writtenFormat format, alignmentC& out,
                std::map<std::size_t, std::vector<const elementC*>>& approximations) {
  // The next element item after each position, found back to front once.
  std::vector<const inputItemC*> nextElement(itemIndices.size() + 1, nullptr);
  for (std::size_t k = itemIndices.size(); k-- > 0;) {
    const inputItemC& item = figure.items[itemIndices[k]];
    nextElement[k] = item.isElement ? &item : nextElement[k + 1];
  }
  std::size_t j = 0;
  for (std::size_t k = 0; k < itemIndices.size(); ++k) {
    const inputItemC& item = figure.items[itemIndices[k]];
    if (item.isElement) {
      if (j == written.size()) {
        out.first = disagreement(figure, &item, nullptr);
        return;
      }
      if (!sameElement(item.element, *written[j], toleranceFor(*written[j], format))) {
        out.first = disagreement(figure, &item, written[j]);
        return;
      }
      ++j;
      ++out.compared;
      continue;
    }
    const inputItemC* next = nextElement[k + 1];
    std::vector<const elementC*>& run = approximations[itemIndices[k]];
    while (j < written.size() && written[j]->kind != elementKind::text &&
           !(next && sameElement(next->element, *written[j], toleranceFor(*written[j], format)))) {
      run.push_back(written[j++]);
    }
  }
  if (j < written.size()) out.first = disagreement(figure, nullptr, written[j]);
}

// The number after a part name's last "`~": the figure it was made from.
std::size_t partNumber(const std::string& name) {
  const std::size_t at = name.rfind("`~");
  if (at == std::string::npos) return 0;
  std::size_t value = 0;
  const char* begin = name.data() + at + 2;
  const char* end = name.data() + name.size();
  const auto result = std::from_chars(begin, end, value);
  return result.ec == std::errc() && result.ptr == end ? value : 0;
}

alignmentC alignFile(const std::vector<inputFigureC>& input, const sceneC& file, writtenFormat format) {
  alignmentC out;
  out.approximations.resize(input.size());
  std::vector<figureShareC> shares(input.size());
  std::vector<std::size_t> figureOfGroup(file.groups.size(), input.size());
  for (std::size_t g = 0; g < file.groups.size(); ++g) {
    // META2D writes every figure in order; MI names each part after its
    // figure's number and leaves out empty ones.
    const std::size_t f = format == writtenFormat::meta2d ? g : partNumber(file.groups[g].name) - 1;
    if (f >= input.size() || shares[f].present) {
      disagreementC d;
      d.fileLine = file.groups[g].sourceLine;
      d.figure = file.groups[g].name;
      d.fileElement = "a figure the drawing does not have";
      d.inputElement = "nothing more";
      out.first = d;
      return out;
    }
    shares[f].present = true;
    figureOfGroup[g] = f;
  }
  for (const elementC& element : file.elements) {
    if (element.group < figureOfGroup.size() && figureOfGroup[element.group] < input.size())
      shares[figureOfGroup[element.group]].elements.push_back(&element);
  }
  for (std::size_t f = 0; f < input.size() && !out.first; ++f) {
    const inputFigureC& figure = input[f];
    if (format == writtenFormat::meta2d) {
      std::vector<std::size_t> items;
      for (std::size_t i = 0; i < figure.items.size(); ++i) {
        if (!figure.items[i].suppressedInMeta2d) items.push_back(i);
      }
      if (!shares[f].present) {
        out.first = disagreement(figure, items.empty() ? nullptr : &figure.items[items.front()], nullptr);
        out.first->fileElement = "no such figure";
        return out;
      }
      alignShare(figure, items, shares[f].elements, format, out, out.approximations[f]);
      continue;
    }
    // MI: a part's lines, arcs and circles come first, then its texts.
    std::vector<std::size_t> shapes, texts;
    for (std::size_t i = 0; i < figure.items.size(); ++i) {
      const inputItemC& item = figure.items[i];
      (item.isElement && item.element.kind == elementKind::text ? texts : shapes).push_back(i);
    }
    std::vector<const elementC*> writtenShapes, writtenTexts;
    for (const elementC* e : shares[f].elements) (e->kind == elementKind::text ? writtenTexts : writtenShapes).push_back(e);
    alignShare(figure, shapes, writtenShapes, format, out, out.approximations[f]);
    if (!out.first) alignShare(figure, texts, writtenTexts, format, out, out.approximations[f]);
  }
  return out;
}

}  // namespace

std::string describe(const elementC& element) {
  switch (element.kind) {
    case elementKind::line:
      return "line " + point(element.a) + " to " + point(element.b);
    case elementKind::arc:
      return "arc about " + point(element.centre) + " radius " + number(element.radius) + " from " +
             point(element.a) + " to " + point(element.b);
    case elementKind::circle:
      return "circle about " + point(element.centre) + " radius " + number(element.radius);
    case elementKind::text: {
      std::string shown = element.text.size() > 40 ? element.text.substr(0, 40) + "..." : element.text;
      for (char& c : shown) {
        if (c == '\n' || c == '\r') c = ' ';
      }
      return "text \"" + shown + "\" at " + point(element.a) + " height " + number(element.height) + " angle " +
             number(element.angle);
    }
  }
  return {};
}

checkReportC checkWrittenFiles(const std::vector<inputFigureC>& input, const sceneC& meta2d, const sceneC& mi) {
  checkReportC report;
  const alignmentC m = alignFile(input, meta2d, writtenFormat::meta2d);
  const alignmentC n = alignFile(input, mi, writtenFormat::mi);
  report.meta2d.first = m.first;
  report.meta2d.elementsCompared = m.compared;
  report.mi.first = n.first;
  report.mi.elementsCompared = n.compared;
  if (m.first || n.first) return report;

  // Both files agree with the drawing: what they made of other shapes can
  // now be laid side by side.
  for (std::size_t f = 0; f < input.size(); ++f) {
    for (const auto& [item, fromMeta2d] : m.approximations[f]) {
      const auto found = n.approximations[f].find(item);
      static const std::vector<const elementC*> none;
      const std::vector<const elementC*>& fromMi = found == n.approximations[f].end() ? none : found->second;
      for (std::size_t k = 0; k < std::max(fromMeta2d.size(), fromMi.size()); ++k) {
        const elementC* a = k < fromMeta2d.size() ? fromMeta2d[k] : nullptr;
        const elementC* b = k < fromMi.size() ? fromMi[k] : nullptr;
        if (a && b && sameElement(*a, *b, toleranceFor(*b, writtenFormat::mi, a->precision))) {
          ++report.approximationsCompared;
          continue;
        }
        disagreementC d;
        d.figure = input[f].name;
        d.inputLine = input[f].items[item].sourceLine;
        d.fileLine = a ? a->sourceLine : 0;
        d.fileElement = a ? describe(*a) : "nothing more";
        d.inputElement = b ? "MI line " + std::to_string(b->sourceLine) + ": " + describe(*b) : "MI: nothing more";
        report.approximations = d;
        return report;
      }
    }
  }
  return report;
}

}  // namespace lorvane::cli
