#include "lorvane/cli/consistencyCheck.h"

#include "approximationCheck.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <utility>

#include "lorvane/util/angleUnits.h"
#include "lorvane/util/textUtils.h"

namespace lorvane::cli {
namespace {

using preview::elementC;
using preview::elementKind;
using preview::pointC;
using preview::sceneC;
using preview::valueErrorsC;

// An arc's centre and radius are found from its points (the circumcentre of
// the drawing's three, a fit through the points of a shape the writers
// approximate, placed before or after): those points differ between the two
// sides by this share of their coordinates' size.
constexpr double kCircleRounding = 1e-12;
// The writers' angle rule reports an angle of 359.9999 degrees or more as
// its excess over 359.9999: a META2D angle below this may stand for a
// direction this much further clockwise.
constexpr double kAngleRuleStep = 1e-4;

pointC operator+(pointC a, pointC b) { return {a.x + b.x, a.y + b.y}; }

// The point at `degrees` on the arc's circle.
pointC onCircle(const elementC& arc, double degrees) {
  const double t = degreesToRadiansMultiplyingFirst(degrees);
  return {arc.centre.x + arc.radius * std::cos(t), arc.centre.y + arc.radius * std::sin(t)};
}

// An end of an arc the file gives by its angle (META2D) against the same end
// given by a point: on the circle at that angle or, by the angle rule, a
// little further clockwise.
bool endAgrees(pointC point, const elementC& byAngles, pointC end, double degrees, pointC error) {
  if (pointsAgree(point, end, error)) return true;
  const double turned = std::fmod(degrees, 360);
  return turned >= 0 && turned < kAngleRuleStep &&
         pointsAgree(point, onCircle(byAngles, degrees - kAngleRuleStep), error);
}

// Which of two compared elements is a META2D arc, given by its angles.
enum class anglesOf { neither, expected, actual };

// How much the circle through an arc's points amplifies a difference in the
// points: about 1 / sin^2 of a quarter of its sweep (a flat arc's centre
// moves far along its axis when its middle moves a little).
double circleConditioning(const elementC& expected, const elementC& actual) {
  const double sweep = std::min(expected.endAngle - expected.startAngle, actual.endAngle - actual.startAngle);
  const double quarter = std::sin(degreesToRadiansMultiplyingFirst(std::clamp(sweep, 0.0, 360.0)) / 4);
  return 1 / (quarter * quarter);
}

double largestCoordinate(const elementC& arc) {
  return std::max({std::fabs(arc.centre.x), std::fabs(arc.centre.y), std::fabs(arc.a.x), std::fabs(arc.a.y),
                   std::fabs(arc.b.x), std::fabs(arc.b.y)});
}

bool sameArc(const elementC& expected, const elementC& actual, const valueErrorsC& error, anglesOf byAngles) {
  // Centre and radius come from the arc's points along different paths on
  // each side: their rounding, relative to the coordinates, carried through
  // the circle's conditioning.
  const double magnitude = std::max({1.0, largestCoordinate(expected), largestCoordinate(actual)});
  const double circle = kCircleRounding * magnitude * circleConditioning(expected, actual);
  if (!pointsAgree(expected.centre, actual.centre, error.centre + pointC{circle, circle}) ||
      !agrees(expected.radius, actual.radius, error.radius + circle)) {
    return false;
  }
  if (byAngles == anglesOf::neither) {
    return pointsAgree(expected.a, actual.a, error.a) && pointsAgree(expected.b, actual.b, error.b);
  }
  const double margin = kArcEndShare * std::max(std::fabs(expected.radius), std::fabs(actual.radius));
  const pointC a = error.a + pointC{margin, margin};
  const pointC b = error.b + pointC{margin, margin};
  const elementC& arc = byAngles == anglesOf::actual ? actual : expected;
  const elementC& other = byAngles == anglesOf::actual ? expected : actual;
  return endAgrees(other.a, arc, arc.a, arc.startAngle, a) && endAgrees(other.b, arc, arc.b, arc.endAngle, b);
}

// Each value within the errors of both sides' printing: the drawing's
// values are exact, a file's carry the errors its reader found.
bool sameElement(const elementC& expected, const elementC& actual, anglesOf byAngles) {
  if (expected.kind != actual.kind) return false;
  const valueErrorsC& x = expected.error;
  const valueErrorsC& y = actual.error;
  const valueErrorsC error{x.a + y.a,           x.b + y.b,           x.centre + y.centre,
                           x.radius + y.radius, x.height + y.height, x.angle + y.angle};
  switch (expected.kind) {
    case elementKind::line:
      return pointsAgree(expected.a, actual.a, error.a) && pointsAgree(expected.b, actual.b, error.b);
    case elementKind::circle:
      return pointsAgree(expected.centre, actual.centre, error.centre) &&
             agrees(expected.radius, actual.radius, error.radius);
    case elementKind::arc:
      return sameArc(expected, actual, error, byAngles);
    case elementKind::text: {
      // The direction as a unit vector, so that whole turns do not count;
      // its ends move by at most the angle turned.
      const double e = degreesToRadiansMultiplyingFirst(expected.angle), a = degreesToRadiansMultiplyingFirst(actual.angle);
      const double turn = degreesToRadiansMultiplyingFirst(error.angle);
      return pointsAgree(expected.a, actual.a, error.a) && agrees(expected.height, actual.height, error.height) &&
             agrees(std::cos(e), std::cos(a), turn) && agrees(std::sin(e), std::sin(a), turn);
    }
  }
  return false;
}

anglesOf anglesIn(writtenFormat format) { return format == writtenFormat::meta2d ? anglesOf::actual : anglesOf::neither; }

// A text as the file holds it: META2D writes it as it is; MI writes its
// lines, each on its own, by the writer's own rule.
std::string textAsWritten(const std::string& text, writtenFormat format) {
  if (format == writtenFormat::meta2d) return text;
  std::string joined;
  for (const std::string& line : textLines(text)) joined += (joined.empty() ? "" : "\n") + line;
  return joined;
}

// An element of the drawing against one of the file, its text included.
bool sameAsWritten(const elementC& drawn, const elementC& written, writtenFormat format) {
  if (drawn.kind == elementKind::text && written.kind == elementKind::text &&
      textAsWritten(drawn.text, format) != written.text) {
    return false;
  }
  return sameElement(drawn, written, anglesIn(format));
}

// One figure's alignment with its share of a file.
struct alignmentC {
  std::optional<disagreementC> first;
  std::size_t compared = 0;
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
      if (!sameAsWritten(item.element, *written[j], format)) {
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
           !(next && sameAsWritten(next->element, *written[j], format))) {
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

// Items other than lines, arcs, circles and texts, in runs that no line,
// arc or circle of the drawing separates. MI writes a part's texts after
// all else, so the elements of items that only texts separate follow each
// other there, and its reading cannot tell where one item's end: each run
// is followed as a whole.
std::vector<std::vector<std::size_t>> approximatedRuns(const inputFigureC& figure) {
  std::vector<std::vector<std::size_t>> runs(1);
  for (std::size_t i = 0; i < figure.items.size(); ++i) {
    const inputItemC& item = figure.items[i];
    if (!item.isElement) {
      runs.back().push_back(i);
    } else if (item.element.kind != elementKind::text && !runs.back().empty()) {
      runs.emplace_back();
    }
  }
  if (runs.back().empty()) runs.pop_back();
  return runs;
}

// Whether the pieces a file made of each run of a figure's other shapes
// follow those shapes; the first that does not goes into the verdict.
void followFigure(const inputFigureC& figure, const std::map<std::size_t, std::vector<const elementC*>>& made,
                  writtenFormat format, fileVerdictC& verdict) {
  for (std::vector<std::size_t> run : approximatedRuns(figure)) {
    std::vector<const elementC*> pieces;
    for (std::size_t item : run) {
      const auto found = made.find(item);
      if (found != made.end()) pieces.insert(pieces.end(), found->second.begin(), found->second.end());
    }
    // META2D leaves out what a shape attribute of type 4 hides; MI does not.
    if (format == writtenFormat::meta2d) {
      std::erase_if(run, [&](std::size_t item) { return figure.items[item].suppressedInMeta2d; });
      if (run.empty()) continue;
    }
    verdict.approximation = followShapes(figure, run, pieces, format, verdict.piecesCompared);
    if (verdict.approximation) return;
  }
}

}  // namespace

bool pointsAgree(pointC expected, pointC actual, pointC error) {
  return agrees(expected.x, actual.x, error.x) && agrees(expected.y, actual.y, error.y);
}

bool pieceEndAgrees(pointC point, const elementC& piece, bool start, pointC margin, writtenFormat format) {
  const pointC end = start ? piece.a : piece.b;
  pointC error = (start ? piece.error.a : piece.error.b) + margin;
  if (piece.kind != elementKind::arc || format != writtenFormat::meta2d) return pointsAgree(point, end, error);
  const double share = kArcEndShare * std::fabs(piece.radius);
  error = error + pointC{share, share};
  return endAgrees(point, piece, end, start ? piece.startAngle : piece.endAngle, error);
}

std::string inWords(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string inWords(pointC p) { return "(" + inWords(p.x) + ", " + inWords(p.y) + ")"; }

bool agrees(double expected, double actual, double error) {
  if (std::isnan(expected) || std::isnan(actual)) return std::isnan(expected) && std::isnan(actual);
  if (std::isinf(expected) || std::isinf(actual)) return expected == actual;
  const double magnitude = std::max({1.0, std::fabs(expected), std::fabs(actual)});
  return std::fabs(expected - actual) <= error + kArithmeticMargin * magnitude;
}

std::string describe(const elementC& element) {
  switch (element.kind) {
    case elementKind::line:
      return "line " + inWords(element.a) + " to " + inWords(element.b);
    case elementKind::arc:
      return "arc about " + inWords(element.centre) + " radius " + inWords(element.radius) + " from " +
             inWords(element.a) + " to " + inWords(element.b);
    case elementKind::circle:
      return "circle about " + inWords(element.centre) + " radius " + inWords(element.radius);
    case elementKind::text: {
      const std::string& text = element.text;
      std::string shown = text.size() > 40 ? text.substr(0, 40) + "..." : text;
      for (char& c : shown) {
        if (c == '\n' || c == '\r') c = ' ';
      }
      return "text \"" + shown + "\" at " + inWords(element.a) + " height " + inWords(element.height) + " angle " +
             inWords(element.angle);
    }
  }
  return {};
}

fileCheckC::fileCheckC(const std::vector<inputFigureC>& input, writtenFormat format)
    : input_(input), format_(format), present_(input.size(), false) {}

void fileCheckC::groupRead(const sceneC& scene, std::size_t group) {
  if (groupError_) return;
  // META2D writes every figure in order; MI names each part after its
  // figure's number and leaves out empty ones.
  const preview::groupC& named = scene.groups[group];
  const std::size_t f = format_ == writtenFormat::meta2d ? group : partNumber(named.name) - 1;
  if (f >= input_.size() || present_[f]) {
    disagreementC d;
    d.fileLine = named.sourceLine;
    d.figure = named.name;
    d.fileElement = "a figure the drawing does not have";
    d.inputElement = "nothing more";
    groupError_ = d;
    return;
  }
  present_[f] = true;
  elements_.clear();
  for (const elementC& element : scene.elements) {
    if (element.group == group) elements_.push_back(&element);
  }
  compareFigure(f, elements_);
}

void fileCheckC::compareFigure(std::size_t f, const std::vector<const elementC*>& elements) {
  if (f > firstFigure_) return;  // a figure before it already differs
  const inputFigureC& figure = input_[f];
  alignmentC aligned;
  std::map<std::size_t, std::vector<const elementC*>> approximations;
  if (format_ == writtenFormat::meta2d) {
    std::vector<std::size_t> items;
    for (std::size_t i = 0; i < figure.items.size(); ++i) {
      if (!figure.items[i].suppressedInMeta2d) items.push_back(i);
    }
    alignShare(figure, items, elements, format_, aligned, approximations);
  } else {
    // MI: a part's lines, arcs and circles come first, then its texts.
    std::vector<std::size_t> shapes, texts;
    for (std::size_t i = 0; i < figure.items.size(); ++i) {
      const inputItemC& item = figure.items[i];
      (item.isElement && item.element.kind == elementKind::text ? texts : shapes).push_back(i);
    }
    std::vector<const elementC*> writtenShapes, writtenTexts;
    for (const elementC* e : elements) (e->kind == elementKind::text ? writtenTexts : writtenShapes).push_back(e);
    alignShare(figure, shapes, writtenShapes, format_, aligned, approximations);
    if (!aligned.first) alignShare(figure, texts, writtenTexts, format_, aligned, approximations);
  }
  elementsCompared_ += aligned.compared;
  if (aligned.first) {
    first_ = aligned.first;
    firstFigure_ = f;
    return;
  }
  // The figure agrees with the drawing: what the file made of its other
  // shapes can now be held to those shapes.
  if (f > approximationFigure_) return;
  fileVerdictC followed;
  followFigure(figure, approximations, format_, followed);
  piecesCompared_ += followed.piecesCompared;
  if (followed.approximation) {
    approximation_ = followed.approximation;
    approximationFigure_ = f;
  }
}

fileVerdictC fileCheckC::verdict() {
  // The figures the file has no group for: META2D lacks them, an MI part
  // of no elements is left out.
  for (std::size_t f = 0; f < input_.size() && !groupError_; ++f) {
    if (present_[f]) continue;
    if (f > firstFigure_) break;
    present_[f] = true;
    if (format_ == writtenFormat::mi) {
      compareFigure(f, {});
      continue;
    }
    const inputFigureC& figure = input_[f];
    const inputItemC* firstItem = nullptr;
    for (const inputItemC& item : figure.items) {
      if (item.suppressedInMeta2d) continue;
      firstItem = &item;
      break;
    }
    first_ = disagreement(figure, firstItem, nullptr);
    first_->fileElement = "no such figure";
    firstFigure_ = f;
  }
  fileVerdictC verdict{format_, elementsCompared_, groupError_ ? groupError_ : first_, std::nullopt, 0};
  if (verdict.first) return verdict;
  verdict.approximation = approximation_;
  verdict.piecesCompared = piecesCompared_;
  return verdict;
}

fileVerdictC checkWrittenFile(const std::vector<inputFigureC>& input, const sceneC& file, writtenFormat format) {
  fileCheckC check(input, format);
  for (std::size_t g = 0; g < file.groups.size(); ++g) check.groupRead(file, g);
  return check.verdict();
}

checkReportC checkWrittenFiles(const std::vector<inputFigureC>& input, const sceneC& meta2d, const sceneC& mi) {
  return {checkWrittenFile(input, meta2d, writtenFormat::meta2d), checkWrittenFile(input, mi, writtenFormat::mi)};
}

}  // namespace lorvane::cli
