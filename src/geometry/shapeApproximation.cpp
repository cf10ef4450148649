#include "lorvane/geometry/shapeApproximation.h"

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
  point2dC operator()(double t) const {
    return add(centre_, turn_.apply({radius1_ * std::cos(t), radius2_ * std::sin(t)}));
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

bool shapeApproximatorC::approximate(metaTreeC* node, double step, double tol, fittedPieceSinkC& sink) {
  const mBaseShape2dC* registered = registeredShapeClass(node);
  if (!registered) return false;
  if (isClass<mBaseIntCrv2dC>(*registered)) {
    fitPointChildren(node, tol, fit_);
  } else if (isClass<mBaseEllipse2dC>(*registered)) {
    mBaseEllipse2dC shape(node);
    const ellipseC e = shape.getEllipse();
    fit_.points.clear();
    sampleParameterRange(0.0, kTwoPi, step, ellipsePointsC(e), fit_.points);
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
