#include "geometry/lineArcFitting.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "geometry/arcGeometry.h"
#include "geometry/pointList.h"
#include "geometry/shapeArc.h"
#include "geometry/shapeBase.h"
#include "geometry/shapeCircle.h"
#include "geometry/shapeLine.h"
#include "metatree/metaObject.h"

namespace lorvane {

namespace {

// The point list as the fitting sees it while it drops points. Every access
// and every deletion lies within a few places of the fitting's cursor, which
// only moves forward; so the list is kept in one array as a compacted head
// (the points up to the furthest one looked at) and the untouched rest. A
// deletion shifts only the few head points behind it, and a point joins the
// head when it is first looked at. The whole fit stays linear in the number
// of points where deleting from a plain array would make it quadratic.
class fitPointListC {
public:
  explicit fitPointListC(pointListC points) : points_(std::move(points)), rest_(0), end_(points_.size()) {}

  std::size_t size() const { return head_ + (end_ - rest_); }

  point2dC at(std::size_t index) {
    while (head_ <= index) points_[head_++] = points_[rest_++];
    return points_[index];
  }

  void erase(std::size_t index) {
    at(index);
    for (std::size_t k = index; k + 1 < head_; ++k) points_[k] = points_[k + 1];
    --head_;
  }

  void eraseLast() {
    if (end_ > rest_) --end_;
    else --head_;
  }

  pointListC release() {
    while (rest_ < end_) points_[head_++] = points_[rest_++];
    points_.resize(head_);
    return std::move(points_);
  }

private:
  pointListC points_;
  std::size_t head_ = 0;
  std::size_t rest_;
  std::size_t end_;
};

}  // namespace

bool onCircle(const point2dC& a, const point2dC& b, const point2dC& c, const point2dC& d, double tol) {
  const point2dC u = unit(subtract(b, a));
  const point2dC v = unit(subtract(c, a));
  if (dot(u, v) > 0.99999999) return false;
  bool valid = false;
  const point2dC centre = circumcentre(a, b, c, &valid);
  if (!valid) return false;
  const double r = length(subtract(b, centre));
  return std::fabs(length(subtract(d, centre)) - r) <= tol;
}

lineArcFitC fitLinesAndArcs(pointListC points, double tol) {
  fitPointListC p(std::move(points));
  std::vector<fitPieceC> pieces;
  pieces.reserve(p.size());
  const double mergeLimit = 1 - tol / 100;
  std::size_t i = 0;
  for (;;) {
    // Fewer than four points from the cursor: they are left as straight pieces.
    if (i + 4 > p.size()) {
      for (std::size_t k = i; k < p.size(); ++k) pieces.push_back(fitPieceC::straight);
      break;
    }
    if (onCircle(p.at(i), p.at(i + 1), p.at(i + 2), p.at(i + 3), tol)) {
      // The arc keeps its start and its second point; each further point on
      // the circle replaces its end.
      p.erase(i + 2);
      bool closed = false;
      while (i + 3 < p.size()) {
        if (nearlyEqual(p.at(i + 3), p.at(i))) {
          closed = true;
          break;
        }
        if (!onCircle(p.at(i), p.at(i + 1), p.at(i + 2), p.at(i + 3), tol)) break;
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
      continue;
    }
    // A straight segment that ends here and runs on in nearly the same
    // direction absorbs the next one.
    if (!pieces.empty() && pieces.back() == fitPieceC::straight) {
      const point2dC d0 = unit(subtract(p.at(i), p.at(i - 1)));
      const point2dC d1 = unit(subtract(p.at(i + 1), p.at(i)));
      if (dot(d0, d1) > mergeLimit) {
        p.erase(i);
        continue;
      }
    }
    pieces.push_back(fitPieceC::straight);
    ++i;
  }
  return {p.release(), std::move(pieces)};
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
  childAppenderC appender(output);
  const pointListC& p = fit.points;
  int created = 0;
  std::size_t j = 0;
  // A piece list that does not match its points (made by hand) ends the walk
  // where its points run out.
  while (j + 1 < fit.pieces.size()) {
    const fitPieceC piece = fit.pieces[j];
    const std::size_t span = piece == fitPieceC::straight ? 1 : 2;
    if (j + span >= p.size()) break;
    if (piece == fitPieceC::straight) {
      appendShape(appender, kShapeLine, [&](metaTreeC* node) {
        mBaseLine2dC line(node);
        line.setStartPoint(p[j]);
        line.setEndPoint(p[j + 1]);
      });
    } else if (piece == fitPieceC::arc) {
      appendShape(appender, kShapeArc, [&](metaTreeC* node) { mBaseArc2dC(node).setPoints(p[j], p[j + 1], p[j + 2]); });
    } else {
      appendShape(appender, kShapeCircle, [&](metaTreeC* node) {
        const point2dC centre = circumcentre(p[j], p[j + 1], p[j + 2]);
        mBaseCircle2dC circle(node);
        circle.setCentre(centre);
        circle.setRadius(length(subtract(centre, p[j])));
      });
    }
    ++created;
    j += span;
  }
  return created;
}

}  // namespace lorvane
