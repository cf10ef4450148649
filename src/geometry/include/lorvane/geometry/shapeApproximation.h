#pragma once
#include "lorvane/geometry/lineArcFitting.h"
#include "lorvane/geometry/pointList.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane {

// What the lines, arcs and circles of an approximated shape are handed to.
class fittedPieceSinkC {
public:
  virtual void line(const point2dC& start, const point2dC& end) = 0;
  virtual void arc(const point2dC& start, const point2dC& middle, const point2dC& end) = 0;
  virtual void circle(const point2dC& centre, double radius) = 0;

protected:
  ~fittedPieceSinkC() = default;
};

// The writers' approximation of ellipses, elliptic arcs and interpolated
// curves without any tree of samples or of results: the samples go into a
// buffer kept for the next shape and the fitted pieces straight to the sink.
// The pieces are those that toLinesAndArcs appends as nodes, bit for bit, and
// the shape's node is read (its absent members added) exactly as there.
class shapeApproximatorC {
public:
  // False, with nothing done, unless the class registered for the node's key
  // is the module's own class for one of the three shapes; a class someone
  // else registered goes through toLinesAndArcs as before.
  bool approximate(metaTreeC* node, double step, double tol, fittedPieceSinkC& sink);

private:
  // The cosine and sine at each parameter a full ellipse is sampled at: they
  // depend on the step alone, so every ellipse of that step shares them.
  const pointListC& fullTurn(double step);

  // The samples are taken into the fit's points and fitted there.
  lineArcFitC fit_;
  pointListC fullTurn_;
  double fullTurnStep_ = 0;
  bool hasFullTurn_ = false;
};

}  // namespace lorvane
