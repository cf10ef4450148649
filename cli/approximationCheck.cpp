#include "approximationCheck.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "lorvane/util/angleUnits.h"

namespace lorvane::cli {
namespace {

using preview::elementC;
using preview::elementKind;
using preview::pointC;

// The writers' approximation: an ellipse is sampled every 0.01 radians of
// its parameter. A line takes in the next sample while it turns by less
// than the angle whose cosine is 1 - 1e-4 / 100, so a sample it passes lies
// off it by at most its length times the sine of that angle. An arc takes in
// the next sample while it lies within 1e-4 of the circle through the arc's
// first two samples and its latest end; that circle turns as the end moves
// on, so the samples passed may stray from the final one by more: up to an
// eighth of the span it covers (its chord, or its diameter when it runs
// round more than half its circle) in random drawings of every scale,
// which this bound doubles.
constexpr double kSampleStep = 0.01;
constexpr double kFitTolerance = 1e-4;
const double kLineSpread = std::sin(std::acos(1 - kFitTolerance / 100));
constexpr double kArcSpread = 0.25;
// Sampling stops at this many points, as the writers' does.
constexpr std::size_t kMostSamples = std::size_t{1} << 20;
// The writers carry an ellipse's axis and parameter angles through an
// arccosine, good to this many radians near 0 and 180 degrees ...
constexpr double kArccosineTurn = 2e-8;
// ... and an angle of 359.9999 degrees or more through the rule that
// reports its excess over 359.9999: near a whole turn the angle they keep
// may stand up to 0.0001 degrees (twice, once a placing step) further
// clockwise.
constexpr double kTurnRuleTurn = 2 * 1e-4 * kPi / 180;
constexpr double kNearTurn = 359.999;
// The rounding of a placed coordinate, as a share of its size, through the
// few operations of placing it.
constexpr double kCoordinateRounding = 1e-15;

struct ellipsePointC {
  pointC centre;
  double radius1, radius2, cosine, sine;
  pointC operator()(double t) const {
    const double x = radius1 * std::cos(t), y = radius2 * std::sin(t);
    return {centre.x + cosine * x - sine * y, centre.y + sine * x + cosine * y};
  }
};

// t, t + step, ... (a running sum, as the writers step) while below to, then
// to itself unless the sum landed on it.
void sampleParameters(double from, double to, const ellipsePointC& at, std::vector<pointC>& out) {
  double t = from;
  for (std::size_t count = 0; t < to && count < kMostSamples; ++count) {
    out.push_back(at(t));
    if (t + kSampleStep == t) break;
    t += kSampleStep;
  }
  if (t != to) out.push_back(at(to));
}

// Parameter angles as placing leaves them: within one turn from 0.
double withinTurn(double degrees) {
  const double turned = std::fmod(degrees, 360.0);
  return turned < 0 ? turned + 360 : turned;
}

bool nearWholeTurn(double degrees) { return withinTurn(degrees) >= kNearTurn; }

// How far a written sample may lie from the one computed here, beyond the
// file's printing.
double sampleMargin(const approximatedShapeC& shape) {
  if (shape.kind == approximatedKind::curve) return 0;
  const bool ruled = nearWholeTurn(shape.axisDegrees) ||
                     (shape.kind == approximatedKind::ellipseArc &&
                      (nearWholeTurn(shape.startDegrees) || nearWholeTurn(shape.endDegrees)));
  const double turn = kArccosineTurn + (ruled ? kTurnRuleTurn : 0);
  const double largest = std::max(std::fabs(shape.radius1), std::fabs(shape.radius2));
  if (shape.kind == approximatedKind::ellipse) return largest * turn;
  // Placing finds an arc's parameters anew, twice at most, from its end
  // points turned back by its axis and divided by its radii: the turn's
  // error and the rounding of the placed coordinates, divided by the
  // smaller radius, move the parameters, and the samples along the larger.
  const double smallest = std::min(std::fabs(shape.radius1), std::fabs(shape.radius2));
  const double rounding = kCoordinateRounding * std::max({1.0, std::fabs(shape.centre.x), std::fabs(shape.centre.y)});
  return largest * turn + 2 * largest * (largest * turn + rounding) / smallest;
}

double distance(pointC a, pointC b) { return std::hypot(a.x - b.x, a.y - b.y); }
double size(pointC error) { return std::hypot(error.x, error.y); }
double magnitude(pointC p) { return std::max({1.0, std::fabs(p.x), std::fabs(p.y)}); }

double distanceToSegment(pointC q, pointC a, pointC b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  const double along = length2 > 0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
  return distance(q, {a.x + along * dx, a.y + along * dy});
}

// One shape's samples against the pieces that approximate it, in order.
class shapeWalkC {
public:
  shapeWalkC(const std::vector<pointC>& samples, double margin, writtenFormat format)
      : samples_(samples), margin_(margin), format_(format) {}

  bool done() const { return at_ + 1 >= samples_.size(); }
  const char* reason() const { return reason_; }

  bool endAt(const elementC& piece, bool start, std::size_t k) const {
    return pieceEndAgrees(samples_[k], piece, start, {margin_, margin_}, format_);
  }

  // Takes the piece when it starts at the sample reached, ends at a sample
  // further on and keeps every sample between within the tolerance.
  bool take(const elementC& piece) {
    if (piece.kind == elementKind::text) return refuse("a text where the shape goes on");
    if (piece.kind == elementKind::circle) {
      // A circle closes the shape: every sample left lies on it.
      for (std::size_t k = at_ + 1; k < samples_.size(); ++k) {
        if (!onCircle(piece, samples_[k])) return refuse("the shape leaves the circle by more than the tolerance");
      }
      at_ = samples_.size() - 1;
      return true;
    }
    const bool fromA = endAt(piece, true, at_);
    if (!fromA && !endAt(piece, false, at_)) return refuse("the piece does not start where the shape has got to");
    const std::size_t end = reach(piece, !fromA);
    if (end == kNone) return refuse("the piece ends at no point of the shape further on");
    for (std::size_t k = at_ + 1; k < end; ++k) {
      if (!follows(piece, samples_[k])) return refuse("the shape leaves the piece by more than the tolerance");
    }
    if (piece.kind == elementKind::arc && end > at_ + 1 && !onArcSide(piece, samples_[(at_ + end) / 2])) {
      return refuse("the arc runs round the other side");
    }
    at_ = end;
    last_ = &piece;
    lastIsStart_ = !fromA;
    return true;
  }

  // Whether the samples not reached lie within twice the errors of the end
  // the last piece reached: the writer's last sample lies within them of
  // the end, and the samples here within them of that one (the printing
  // spans them, or the writer's rounding made no sample so near the end).
  bool restNegligible() const { return last_ && restNegligible(*last_, lastIsStart_, at_); }

  bool restNegligible(const elementC& piece, bool atStart, std::size_t reached) const {
    const pointC end = atStart ? piece.a : piece.b;
    const pointC printed = atStart ? piece.error.a : piece.error.b;
    const double share = piece.kind == elementKind::arc ? kArcEndShare * std::fabs(piece.radius) : 0;
    const pointC error{2 * (printed.x + margin_ + share), 2 * (printed.y + margin_ + share)};
    for (std::size_t k = reached + 1; k < samples_.size(); ++k) {
      if (!pointsAgree(samples_[k], end, error)) return false;
    }
    return true;
  }

  std::size_t sampleCount() const { return samples_.size(); }

  // Every sample the piece can take the shape to from sample `from`: one
  // of its ends there, the other at that sample or one further on, every
  // sample between within the tolerance; with the end it reached it by
  // (true: a). A circle takes it to the last sample or nowhere.
  void reachable(const elementC& piece, std::size_t from, std::vector<std::pair<std::size_t, bool>>& out) const {
    out.clear();
    if (piece.kind == elementKind::text) return;
    if (piece.kind == elementKind::circle) {
      for (std::size_t k = from + 1; k < samples_.size(); ++k) {
        if (!onCircle(piece, samples_[k])) return;
      }
      out.emplace_back(samples_.size() - 1, false);
      return;
    }
    for (const bool fromA : {true, false}) {
      if (!endAt(piece, fromA, from)) continue;
      for (std::size_t end = from; end < samples_.size(); ++end) {
        if (end > from + 1 && !follows(piece, samples_[end - 1])) break;
        if (!endAt(piece, !fromA, end)) continue;
        if (piece.kind == elementKind::arc && end > from + 1 && !onArcSide(piece, samples_[(from + end) / 2])) continue;
        out.emplace_back(end, !fromA);
      }
    }
  }

private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  bool refuse(const char* why) {
    reason_ = why;
    return false;
  }

  // Whether the piece's ends lie within their errors of each other.
  static bool printedAsAPoint(const elementC& piece) {
    return pointsAgree(piece.a, piece.b, {piece.error.a.x + piece.error.b.x, piece.error.a.y + piece.error.b.y});
  }

  // The sample the end reaches: the sample reached itself when the end
  // agrees with it and not with the next, and the piece is printed as a
  // point (the printing spans both of its samples) or no later sample it
  // agrees with lies nearer; else the first after it that the end agrees with,
  // which never lies after the one the writer ended at, so the next piece's
  // end is still ahead. Where the writer's samples may lie further from
  // these than its printing's error (the turn of a thin ellipse's
  // parameters), they are found nearest to the end instead. kNone for none.
  std::size_t reach(const elementC& piece, bool start) const {
    const pointC end = start ? piece.a : piece.b;
    std::size_t k = at_ + 1;
    while (k < samples_.size() && !endAt(piece, start, k)) ++k;
    if (k > at_ + 1 && endAt(piece, start, at_) &&
        (k == samples_.size() || printedAsAPoint(piece) ||
         distance(samples_[at_], end) <= distance(samples_[k], end))) {
      return at_;
    }
    if (k == samples_.size()) return kNone;
    if (margin_ > size(start ? piece.error.a : piece.error.b)) {
      while (k + 1 < samples_.size() && distance(samples_[k + 1], end) < distance(samples_[k], end) &&
             endAt(piece, start, k + 1)) {
        ++k;
      }
    }
    return k;
  }

  double allowance(pointC q, double printed) const {
    return kFitTolerance + printed + 2 * margin_ + kArithmeticMargin * magnitude(q);
  }

  bool onCircle(const elementC& piece, pointC q) const {
    const double off = std::fabs(distance(q, piece.centre) - piece.radius);
    // The span the arc covers: its chord, or its diameter once it runs
    // round more than half its circle (its centre on its side of the chord).
    const bool major = piece.kind == elementKind::circle || leftOfChord(piece, piece.centre) < 0;
    const double span = major ? 2 * std::fabs(piece.radius) : distance(piece.a, piece.b);
    return off <= allowance(q, size(piece.error.centre) + piece.error.radius) + span * kArcSpread;
  }

  bool follows(const elementC& piece, pointC q) const {
    if (piece.kind == elementKind::arc) return onCircle(piece, q);
    const double printed = std::max(size(piece.error.a), size(piece.error.b));
    return distanceToSegment(q, piece.a, piece.b) <= allowance(q, printed) + distance(piece.a, piece.b) * kLineSpread;
  }

  // An arc runs counter-clockwise from a to b, so all of it lies to the
  // right of the chord from a to b.
  static double leftOfChord(const elementC& arc, pointC q) {
    const double dx = arc.b.x - arc.a.x, dy = arc.b.y - arc.a.y;
    const double chord = std::hypot(dx, dy);
    return chord == 0 ? 0 : (dx * (q.y - arc.a.y) - dy * (q.x - arc.a.x)) / chord;
  }

  bool onArcSide(const elementC& arc, pointC q) const {
    const double left = leftOfChord(arc, q);
    const double printed = std::max(size(arc.error.a), size(arc.error.b)) + kArcEndShare * std::fabs(arc.radius);
    return left <= allowance(q, printed);
  }

  const std::vector<pointC>& samples_;
  double margin_;
  writtenFormat format_;
  std::size_t at_ = 0;
  const elementC* last_ = nullptr;  // the last piece taken, and which of its ends reached
  bool lastIsStart_ = false;
  const char* reason_ = "the pieces end before the shape does";
};

// The walk above gives each piece the first sample its end agrees with.
// Where the printing's error spans many samples (a thin shape far from the
// origin, its pieces printed at a few points), that sample may lie well
// before the one the writer ended the piece at, and the walk falls behind
// the writer: the pieces after it are then held to samples the earlier
// pieces made. Before a shape is reported, every way of giving the pieces
// their samples is tried: the shape is followed when one of them holds
// each piece to the samples between its ends. Of the ways, the one that
// takes the most pieces to the shape's last sample is kept (the walk, too,
// passes the pieces that lie at the last sample), else the fewest that
// leave only what the last end's errors span; p comes back after its
// pieces. False when there is none, or the shape has too many samples and
// pieces to try them all.
constexpr std::size_t kMostTried = std::size_t{1} << 22;

bool followedSomeWay(const shapeWalkC& walk, const std::vector<const elementC*>& pieces, std::size_t& p) {
  const std::size_t samples = walk.sampleCount();
  if (p >= pieces.size() || (pieces.size() - p) > kMostTried / samples) return false;
  std::vector<char> reached(samples, 0), next(samples, 0);
  reached[0] = 1;
  std::vector<std::pair<std::size_t, bool>> ends;
  std::size_t whole = 0;       // the pieces of the last way to the last sample
  std::size_t negligible = 0;  // the pieces of the first way that leaves only what the errors span
  for (std::size_t q = p; q < pieces.size(); ++q) {
    std::fill(next.begin(), next.end(), 0);
    bool any = false;
    for (std::size_t from = 0; from < samples; ++from) {
      if (!reached[from]) continue;
      walk.reachable(*pieces[q], from, ends);
      for (const auto& [end, atStart] : ends) {
        if (end + 1 == samples) whole = q + 1;
        if (!negligible && walk.restNegligible(*pieces[q], atStart, end)) negligible = q + 1;
        next[end] = 1;
        any = true;
      }
    }
    if (!any) break;
    reached.swap(next);
  }
  if (whole || negligible) p = whole ? whole : negligible;
  return whole || negligible;
}

disagreementC shapeDisagreement(const inputFigureC& figure, const inputItemC& item, const elementC* piece,
                                const char* reason) {
  disagreementC d;
  d.figure = figure.name;
  d.inputLine = item.sourceLine;
  d.inputElement = describe(item.shape()) + ": " + reason;
  d.fileLine = piece ? piece->sourceLine : 0;
  d.fileElement = piece ? describe(*piece) : "nothing more";
  return d;
}

}  // namespace

void shapeSamples(const approximatedShapeC& shape, std::vector<pointC>& out) {
  out.clear();
  if (shape.kind == approximatedKind::curve) {
    out = shape.points;
    return;
  }
  if (shape.kind == approximatedKind::none) return;
  const double axis = degreesToRadiansMultiplyingFirst(shape.axisDegrees);
  const ellipsePointC at{shape.centre, shape.radius1, shape.radius2, std::cos(axis), std::sin(axis)};
  if (shape.kind == approximatedKind::ellipse) {
    sampleParameters(0, kTwoPi, at, out);
    return;
  }
  // Placing finds an arc's parameters from its end points: with a radius
  // of 0, or angles that are no numbers, there are none and nothing is made.
  if (shape.radius1 == 0 || shape.radius2 == 0 || !std::isfinite(shape.startDegrees) ||
      !std::isfinite(shape.endDegrees)) {
    return;
  }
  double from = degreesToRadiansDividingFirst(withinTurn(shape.startDegrees));
  const double to = degreesToRadiansDividingFirst(withinTurn(shape.endDegrees));
  if (to < from) from -= kTwoPi;
  sampleParameters(from, to, at, out);
}

std::optional<disagreementC> followShapes(const inputFigureC& figure, const std::vector<std::size_t>& items,
                                          const std::vector<const elementC*>& pieces, writtenFormat format,
                                          std::size_t& compared) {
  std::vector<pointC> samples, lastSamples;
  std::size_t p = 0;
  const inputItemC* last = nullptr;
  // Where the last shape's pieces began, and the count before them.
  std::size_t lastFirst = 0, lastCompared = 0;
  for (std::size_t index : items) {
    const inputItemC& item = figure.items[index];
    shapeSamples(item.shape(), samples);
    if (samples.size() < 2) continue;  // the writers make nothing of it
    last = &item;
    lastFirst = p;
    lastCompared = compared;
    const double margin = sampleMargin(item.shape());
    shapeWalkC walk(samples, margin, format);
    while (!walk.done()) {
      if (p < pieces.size() && walk.take(*pieces[p])) {
        ++p;
        ++compared;
      } else if (walk.restNegligible()) {
        break;
      } else {
        std::size_t taken = lastFirst;
        if (!followedSomeWay(shapeWalkC(samples, margin, format), pieces, taken)) {
          return shapeDisagreement(figure, item, p < pieces.size() ? pieces[p] : nullptr, walk.reason());
        }
        compared = lastCompared + (taken - lastFirst);
        p = taken;
        break;
      }
    }
    // Where the printing spans the last few samples, or the writer's
    // rounding made one just before the end, the last pieces lie within the
    // errors of the end.
    const std::size_t end = samples.size() - 1;
    while (p < pieces.size() && pieces[p]->kind != elementKind::circle && pieces[p]->kind != elementKind::text &&
           walk.endAt(*pieces[p], true, end) && walk.endAt(*pieces[p], false, end)) {
      ++p;
      ++compared;
    }
    samples.swap(lastSamples);
  }
  if (p < pieces.size() && last) {
    // The walk may have reached the last shape's end before the writer
    // did; the pieces left are its own when some way takes them all.
    std::size_t taken = lastFirst;
    const double margin = sampleMargin(last->shape());
    if (!followedSomeWay(shapeWalkC(lastSamples, margin, format), pieces, taken) || taken != pieces.size()) {
      return shapeDisagreement(figure, *last, pieces[p], "a piece beyond its end");
    }
    compared = lastCompared + (taken - lastFirst);
    p = taken;
  }
  if (p < pieces.size()) {
    disagreementC d = shapeDisagreement(figure, figure.items[items.front()], pieces[p], "");
    d.inputElement = "nothing the writers approximate";
    return d;
  }
  return std::nullopt;
}

std::string describe(const approximatedShapeC& shape) {
  switch (shape.kind) {
    case approximatedKind::ellipse:
    case approximatedKind::ellipseArc: {
      std::string words = (shape.kind == approximatedKind::ellipse ? "ellipse about " : "elliptic arc about ") +
                          inWords(shape.centre) + " radii " + inWords(shape.radius1) + " and " +
                          inWords(shape.radius2) + " turned " + inWords(shape.axisDegrees);
      if (shape.kind == approximatedKind::ellipseArc) {
        words += " from " + inWords(shape.startDegrees) + " to " + inWords(shape.endDegrees);
      }
      return words;
    }
    case approximatedKind::curve:
      return "curve through " + std::to_string(shape.points.size()) + " points";
    case approximatedKind::none:
      break;
  }
  return "nothing the writers approximate";
}

}  // namespace lorvane::cli
