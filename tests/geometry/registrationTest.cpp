#include <gtest/gtest.h>

#include <string>

#include "lorvane/document/modelRegistration.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/metatree/metaRegistry.h"
#include "modelEnvironment.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;

std::string entryText(const metaObjectInterfaceListC& registry) {
  std::string text;
  for (std::size_t i = 0; i < registry.size(); ++i)
    text += std::string(registry.entry(i).name.view()) + ":" + std::to_string(registry.entry(i).priority) + " ";
  return text;
}

TEST(Registration, ShapesAndDocumentsAreRegisteredWithTheirPriorities) {
  EXPECT_EQ(entryText(shapeRegistry()), "ARC:3 CIRCLE:3 ELLIPSE:4 ELLIPSEARC:4 ICRV2D:3 LINE:3 SPOINT:3 TEXT:3 ");
  EXPECT_EQ(entryText(documentRegistry()), "DRAWING:4 FIGURE:4 ");
}

TEST(Registration, EachPrototypeIsUnboundAndItsOwnClass) {
  for (std::size_t i = 0; i < shapeRegistry().size(); ++i) {
    EXPECT_EQ(shapeRegistry().entry(i).interface->node(), nullptr);
  }
  EXPECT_NE(dynamic_cast<mBaseCircle2dC*>(shapeRegistry().findInterface("CIRCLE")), nullptr);
}

TEST(Registration, ASecondRegistrationTakesNothingAndRemovesNothing) {
  metaObjectC* circle = shapeRegistry().findInterface("CIRCLE");
  {
    modelRegistrationC again;
    EXPECT_EQ(shapeRegistry().findInterface("CIRCLE"), circle);
  }
  EXPECT_EQ(shapeRegistry().findInterface("CIRCLE"), circle);
  EXPECT_EQ(shapeRegistry().size(), 8u);
}

TEST(Registration, UnloadingAndLoadingAgain) {
  dropModelRegistration();
  EXPECT_EQ(shapeRegistry().size(), 0u);
  EXPECT_EQ(documentRegistry().size(), 0u);
  metaObjectC tree = ownedTree("CIRCLE");
  addNumber(tree.node(), "RAD", 1);
  EXPECT_EQ(mBaseShape2dC(tree.node()).getLength(), 0.0);
  restoreModelRegistration();
  EXPECT_EQ(shapeRegistry().size(), 8u);
  EXPECT_EQ(mBaseShape2dC(tree.node()).getLength(), 2 * kPi);
}

TEST(Registration, ACurveMadeByClassNameIsACurve) {
  metaObjectC curve = metaObjectVirtualDataBaseC::createTree("ICRV2D", true);
  addPoint(curve.node(), 0, 0);
  addPoint(curve.node(), 1, 0);
  pointListC points;
  EXPECT_EQ(mBaseShape2dC(curve.node()).getPoints(points, 0), 2);
}

}  // namespace
}  // namespace lorvane
