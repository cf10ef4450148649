#include "lorvane/geometry/shapeApproximation.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <typeinfo>

#include "lorvane/geometry/curveSampling.h"
#include "lorvane/geometry/shapeEllipse.h"
#include "lorvane/geometry/shapeIntCurve.h"

namespace lorvane {
namespace {

// The ellipse's points as ellipseC::pointAt gives them, with the turn of its
// axes computed once instead of once a point.
class ellipsePointsC {
public:
  explicit ellipsePointsC(const ellipseC& e)
      : centre_(e.centre), radius1_(e.radius1), radius2_(e.radius2), turn_(rotation2dC::degrees(e.angle)) {}
  point2dC operator()(double t) const { return atTurn({std::cos(t), std::sin(t)}); }
  // The point at the parameter whose cosine and sine are given.
  point2dC atTurn(const point2dC& cosSin) const {
    return add(centre_, turn_.apply({radius1_ * cosSin.x, radius2_ * cosSin.y}));
  }

private:
  point2dC centre_;
  double radius1_;
  double radius2_;
  rotation2dC turn_;
};

struct forwardingVisitorC {
  fittedPieceSinkC& sink;
  void line(const point2dC& a, const point2dC& b) { sink.line(a, b); }
  void arc(const point2dC& a, const point2dC& b, const point2dC& c) { sink.arc(a, b, c); }
  void circle(const point2dC& centre, double radius) { sink.circle(centre, radius); }
};

// Only the exact class: a subclass may sample or fit in its own way.
template <class T>
bool isClass(const mBaseShape2dC& registered) {
  return typeid(registered) == typeid(T);
}

}  // namespace

const pointListC& shapeApproximatorC::fullTurn(double step) {
  if (!hasFullTurn_ || std::bit_cast<std::uint64_t>(step) != std::bit_cast<std::uint64_t>(fullTurnStep_)) {
    fullTurn_.clear();
    sampleParameterRange(0.0, kTwoPi, step, [](double t) { return point2dC{std::cos(t), std::sin(t)}; }, fullTurn_);
    fullTurnStep_ = step;
    hasFullTurn_ = true;
  }
  return fullTurn_;
}

bool shapeApproximatorC::approximate(metaTreeC* node, double step, double tol, fittedPieceSinkC& sink) {
  const mBaseShape2dC* registered = registeredShapeClass(node);
  if (!registered) return false;
  if (isClass<mBaseIntCrv2dC>(*registered)) {
    fitPointChildren(node, tol, fit_);
  } else if (isClass<mBaseEllipse2dC>(*registered)) {
    mBaseEllipse2dC shape(node);
    const ellipseC e = shape.getEllipse();
    const ellipsePointsC points(e);
    const pointListC& turn = fullTurn(step);
    fit_.points.resize(turn.size());
    for (std::size_t k = 0; k < turn.size(); ++k) fit_.points[k] = points.atTurn(turn[k]);
    fitInPlace(tol, fit_);
  } else if (isClass<mBaseEllipseArc2dC>(*registered)) {
    // The members are read in the order mBaseEllipseArc2dC::getPoints reads them.
    mBaseEllipseArc2dC shape(node);
    const ellipseC e = shape.getEllipse();
    const double t1 = degreesToRadiansDividingFirst(shape.getStartParameter());
    const double t2 = degreesToRadiansDividingFirst(shape.getEndParameter());
    fit_.points.clear();
    sampleEllipticArc(t1, t2, e.radius1 != 0 && e.radius2 != 0, step, ellipsePointsC(e), fit_.points);
    fitInPlace(tol, fit_);
  } else {
    return false;
  }
  visitFittedPieces(fit_, forwardingVisitorC{sink});
  return true;
}

}  // namespace lorvane
