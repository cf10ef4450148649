// Placing a figure's items moves the points of most shapes directly. The tree
// it leaves must be the one the two transformations through the shape
// classes leave, well-formed shapes or not.
#include <gtest/gtest.h>

#include <random>

#include "lorvane/geometry/shapePlacement.h"
#include "lorvane/schema/figurePlacement.h"
#include "../geometry/testTrees.h"

namespace lorvane {
namespace {

using namespace test;

bool sameTree(const metaTreeC* a, const metaTreeC* b) {
  for (; a && b; a = a->next(), b = b->next()) {
    const metaValueC& x = a->value();
    const metaValueC& y = b->value();
    if (x.kind() != y.kind()) return false;
    if (x.isNumber() && !sameBits(x.number(), y.number())) return false;
    if (x.isText() && x.text().view() != y.text().view()) return false;
    if (!x.isNumber() && !x.isText() && x.word() != y.word()) return false;
    if (!sameTree(a->firstChild(), b->firstChild())) return false;
  }
  return !a && !b;
}

// Every kind of item, with its points complete, missing, extra or malformed.
metaObjectC randomItems(std::mt19937_64& random) {
  std::uniform_real_distribution<double> coordinate(-1e4, 1e4);
  std::uniform_int_distribution<int> pick(0, 11), points(0, 4);
  metaObjectC items = ownedTree("FIGURITEMS");
  const char* kinds[] = {"LINE", "ARC", "CIRCLE", "TEXT", "SPOINT", "ICRV2D", "ELLIPSE", "ELLIPSEARC", "SHAPEATTR",
                         "UNKNOWN", "LINE", "ARC"};
  for (int i = 0; i < 300; ++i) {
    metaTreeC* item = addKey(items.node(), kinds[pick(random)]);
    addNumber(item, "RAD", 2);
    for (int n = points(random); n > 0; --n) {
      switch (pick(random)) {
        case 0: addNumberNode(addKey(item, "POINT"), coordinate(random)); break;
        case 1: addStringNode(addKey(item, "POINT"), "x"); break;
        case 2: {
          metaTreeC* p = addPoint(item, coordinate(random), coordinate(random));
          addNumberNode(p, 1);
          break;
        }
        default: addPoint(item, coordinate(random), coordinate(random));
      }
    }
  }
  return items;
}

TEST(PlaceChain, LeavesTheTreeTheShapeClassesLeave) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> degrees(-400, 400), offset(-1e5, 1e5);
  for (int round = 0; round < 20; ++round) {
    metaObjectC direct = randomItems(random);
    metaObjectC viaClasses(metaTreeC::copySubtree(direct.node()), true);
    const double turn = round == 0 ? 0.0 : degrees(random);
    const point2dC at{offset(random), offset(random)};
    placeChain(direct.node()->firstChild(), turn, at);
    transformAll(viaClasses.node(), rotationMatrix(turn));
    transformAll(viaClasses.node(), translationMatrix(at.x, at.y));
    EXPECT_TRUE(sameTree(direct.node(), viaClasses.node())) << "round " << round;
  }
}

}  // namespace
}  // namespace lorvane
