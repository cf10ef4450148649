#include "lorvane/geometry/lineArcFitting.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "lorvane/geometry/arcGeometry.h"
#include "lorvane/geometry/pointList.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane {

namespace {

// The point list as the fitting sees it while it drops points. Every access
// and every deletion lies within a few places of the fitting's cursor, which
// only moves forward; so the list is kept as a head (the points up to the
// furthest one looked at, with the deletions already made) in front of the
// untouched rest, which is read from its source only when first looked at. A
// deletion shifts only the few head points behind it: the fit stays linear in
// the number of points, where deleting from one plain array would make it
// quadratic. The rest is never counted: the fitting only asks whether a point
// exists, and a source read once, in order, is all it needs.
template <class Source>
class fitPointListC {
public:
  // head: the buffer the points are kept in, emptied first; a caller that
  // fits shape after shape hands in the same one.
  fitPointListC(Source source, pointListC& head) : source_(std::move(source)), head_(head) { head_.clear(); }

  // Asked for nearly every point several times: the points already read
  // answer without a call.
  bool has(std::size_t index) { return index < head_.size() || pullUpTo(index); }
  // Only for points that exist.
  point2dC at(std::size_t index) {
    has(index);
    return head_[index];
  }
  // The number of points; reads the whole rest.
  std::size_t size() {
    while (!exhausted_) pull();
    return head_.size();
  }

  void erase(std::size_t index) {
    has(index);
    // Only the few points read ahead of the cursor follow the erased one:
    // moved one by one, without a call for a general move.
    for (std::size_t k = index + 1; k < head_.size(); ++k) head_[k - 1] = head_[k];
    head_.pop_back();
  }

  void eraseLast() {
    // The last point of a rest not yet read goes when that rest is read.
    if (has(head_.size())) dropLast_ = true;
    else head_.pop_back();
  }

  // Reads the rest; the head buffer then holds the fitted points.
  void finish() {
    size();
    if (dropLast_) head_.pop_back();
    dropLast_ = false;
  }

private:
  // Kept out of line, so that has() itself is inlined where it is asked.
  [[gnu::noinline]] bool pullUpTo(std::size_t index) {
    while (head_.size() <= index && !exhausted_) pull();
    return head_.size() > index;
  }

  void pull() {
    point2dC p;
    if (source_.next(p)) head_.push_back(p);
    else exhausted_ = true;
  }

  Source source_;
  pointListC& head_;
  bool exhausted_ = false;
  bool dropLast_ = false;
};

// The same list for points that are all at hand, kept in the buffer that
// holds them: the head grows at the buffer's front and the rest is the
// buffer's end, with a gap between them as wide as the deletions so far. No
// point is moved until a deletion needs it, and none is read twice.
class inPlacePointListC {
public:
  explicit inPlacePointListC(pointListC& points) : points_(points), end_(points.size()) {}

  bool has(std::size_t index) const { return index < headEnd_ + (end_ - restBegin_); }
  // Only for points that exist.
  point2dC at(std::size_t index) const {
    return index < headEnd_ ? points_[index] : points_[restBegin_ + (index - headEnd_)];
  }

  void erase(std::size_t index) {
    while (headEnd_ <= index) points_[headEnd_++] = points_[restBegin_++];
    for (std::size_t k = index + 1; k < headEnd_; ++k) points_[k - 1] = points_[k];
    --headEnd_;  // the gap widens by the erased place
  }

  void eraseLast() {
    if (restBegin_ < end_) --end_;
    else --headEnd_;
  }

  // Closes the gap; the buffer then holds the fitted points.
  void finish() {
    while (restBegin_ < end_) points_[headEnd_++] = points_[restBegin_++];
    points_.resize(headEnd_);
  }

private:
  pointListC& points_;
  std::size_t headEnd_ = 0;
  std::size_t restBegin_ = 0;
  std::size_t end_;
};

// The "POINT" children of a node, in child order, read as they are reached.
class pointChildSourceC {
public:
  explicit pointChildSourceC(const metaTreeC* node) : child_(node ? node->firstChild() : nullptr) {}
  bool next(point2dC& p) {
    while (child_ && !child_->hasKey(kPointKey)) child_ = child_->next();
    if (!child_) return false;
    p = pointValue(child_);
    child_ = child_->next();
    return true;
  }

private:
  const metaTreeC* child_;
};

}  // namespace

namespace {

// The test of onCircle with what depends on a and b alone computed once:
// while the fitting grows an arc, its start and second point stay.
class circleTestC {
public:
  circleTestC(const point2dC& a, const point2dC& b)
      : a_(a), b_(b), u_(unit(subtract(b, a))), chord_(chordBisector(a, b)) {}

  // Inline: the fitting asks it once for nearly every point.
  [[gnu::always_inline]] bool through(const point2dC& c, const point2dC& d, double tol) const {
    const point2dC v = unit(subtract(c, a_));
    if (dot(u_, v) > 0.99999999) return false;
    bool valid = false;
    const point2dC centre = bisectorCrossing(chord_, chordBisector(c, b_), &valid);
    if (!valid) return false;
    const double r = length(subtract(b_, centre));
    return std::fabs(length(subtract(d, centre)) - r) <= tol;
  }

  // The direction from a to b, unit(b - a).
  const point2dC& chordDirection() const { return u_; }

private:
  point2dC a_;
  point2dC b_;
  point2dC u_;
  bisectorC chord_;
};

}  // namespace

bool onCircle(const point2dC& a, const point2dC& b, const point2dC& c, const point2dC& d, double tol) {
  return circleTestC(a, b).through(c, d, tol);
}

namespace {

template <class PointList>
void runFitting(PointList& p, double tol, std::vector<fitPieceC>& pieces) {
  pieces.clear();
  const double mergeLimit = 1 - tol / 100;
  std::size_t i = 0;
  // The direction of the segment that ends at the cursor, when the cursor
  // just moved on by one point without any point being dropped: it is the
  // previous circle test's chord direction.
  point2dC previousChord{};
  bool previousChordKnown = false;
  for (;;) {
    // Fewer than four points from the cursor: they are left as straight pieces.
    if (!p.has(i + 3)) {
      for (std::size_t k = i; p.has(k); ++k) pieces.push_back(fitPieceC::straight);
      break;
    }
    // The arc keeps its start and its second point; each further point on
    // the circle replaces its end.
    const point2dC start = p.at(i);
    const circleTestC circle(start, p.at(i + 1));
    if (circle.through(p.at(i + 2), p.at(i + 3), tol)) {
      p.erase(i + 2);
      bool closed = false;
      while (p.has(i + 3)) {
        const point2dC next = p.at(i + 3);
        if (nearlyEqual(next, start)) {
          closed = true;
          break;
        }
        if (!circle.through(p.at(i + 2), next, tol)) break;
        p.erase(i + 2);
      }
      if (closed) {
        p.eraseLast();
        pieces.push_back(fitPieceC::circle);
        pieces.push_back(fitPieceC::circle);
        break;
      }
      pieces.push_back(fitPieceC::arc);
      pieces.push_back(fitPieceC::arc);
      i += 2;
      previousChordKnown = false;
      continue;
    }
    // A straight segment that ends here and runs on in nearly the same
    // direction absorbs the next one. The next one's direction is the
    // circle test's chord.
    if (!pieces.empty() && pieces.back() == fitPieceC::straight) {
      const point2dC d0 = previousChordKnown ? previousChord : unit(subtract(p.at(i), p.at(i - 1)));
      const point2dC& d1 = circle.chordDirection();
      if (dot(d0, d1) > mergeLimit) {
        p.erase(i);
        previousChordKnown = false;
        continue;
      }
    }
    pieces.push_back(fitPieceC::straight);
    ++i;
    previousChord = circle.chordDirection();
    previousChordKnown = true;
  }
  p.finish();
}

template <class Source>
void runFitting(Source source, double tol, lineArcFitC& fit) {
  fitPointListC<Source> p(std::move(source), fit.points);
  runFitting(p, tol, fit.pieces);
}

lineArcFitC fittedAnew(pointChildSourceC source, double tol) {
  lineArcFitC fit;
  runFitting(std::move(source), tol, fit);
  return fit;
}

}  // namespace

lineArcFitC fitLinesAndArcs(pointListC points, double tol) {
  lineArcFitC fit;
  fit.points = std::move(points);
  fitInPlace(tol, fit);
  return fit;
}

lineArcFitC fitLinesAndArcs(std::span<const point2dC> points, double tol) {
  lineArcFitC fit;
  fitLinesAndArcs(points, tol, fit);
  return fit;
}

void fitLinesAndArcs(std::span<const point2dC> points, double tol, lineArcFitC& fit) {
  fit.points.assign(points.begin(), points.end());
  fitInPlace(tol, fit);
}

void fitInPlace(double tol, lineArcFitC& fit) {
  inPlacePointListC p(fit.points);
  runFitting(p, tol, fit.pieces);
}

lineArcFitC fitPointChildren(const metaTreeC* node, double tol) { return fittedAnew(pointChildSourceC(node), tol); }

void fitPointChildren(const metaTreeC* node, double tol, lineArcFitC& fit) {
  runFitting(pointChildSourceC(node), tol, fit);
}

namespace {

// Each shape is built complete as a free-standing node, made by class name,
// before it is linked, so a failure leaves the output as it was.
template <class Fill>
void appendShape(childAppenderC& appender, std::string_view className, Fill&& fill) {
  metaObjectC shape = metaObjectVirtualDataBaseC::createTree(className, false);
  try {
    fill(shape.node());
  } catch (...) {
    delete shape.node();
    throw;
  }
  appender.append(shape.node());
}

}  // namespace

int appendFittedShapes(const lineArcFitC& fit, metaTreeC* output) {
  if (!output) return 0;
  // A new shape has no "POINT" keys yet: each point set appends one.
  struct appendingVisitorC {
    childAppenderC appender;
    void line(const point2dC& a, const point2dC& b) {
      appendShape(appender, kShapeLine, [&](metaTreeC* node) {
        childAppenderC points(node);
        appendPointChild(points, a);
        appendPointChild(points, b);
      });
    }
    void arc(const point2dC& a, const point2dC& b, const point2dC& c) {
      appendShape(appender, kShapeArc, [&](metaTreeC* node) {
        childAppenderC points(node);
        appendPointChild(points, a);
        appendPointChild(points, b);
        appendPointChild(points, c);
      });
    }
    void circle(const point2dC& centre, double radius) {
      appendShape(appender, kShapeCircle, [&](metaTreeC* node) {
        mBaseCircle2dC shape(node);
        shape.setCentre(centre);
        shape.setRadius(radius);
      });
    }
  };
  return visitFittedPieces(fit, appendingVisitorC{childAppenderC(output)});
}

}  // namespace lorvane
