#include "lorvane/metatree/metaTree.h"

#include <gtest/gtest.h>

#include "lorvane/metatree/memory/memManCheckLeak.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane {
namespace {

metaTreeC* key(const char* text) { return metaTreeC::createKeyNode(text); }

metaTreeC* number(double value) {
  metaValueC v;
  v.setNumber(value);
  return metaTreeC::createValueNode(v);
}

// Appends children with the given keys and returns them in order.
std::vector<metaTreeC*> addKeys(metaTreeC* parent, std::initializer_list<const char*> keys) {
  std::vector<metaTreeC*> added;
  for (const char* k : keys) {
    added.push_back(key(k));
    metaTreeC::appendChildren(added.back(), parent);
  }
  return added;
}

void expectLinksConsistent(const metaTreeC* parent) {
  const metaTreeC* previous = nullptr;
  for (const metaTreeC* c = parent->firstChild(); c; c = c->next()) {
    EXPECT_EQ(c->parent(), parent);
    EXPECT_EQ(c->previous(), previous);
    previous = c;
  }
}

TEST(Node, ANewKeyNodeIsAFreeRoot) {
  metaTreeC* node = key("DRAWING");
  EXPECT_TRUE(node->isKey());
  EXPECT_TRUE(node->hasKey("DRAWING"));
  EXPECT_FALSE(node->hasKey("drawing"));
  EXPECT_EQ(node->parent(), nullptr);
  EXPECT_EQ(node->copyTarget(), nullptr);
  EXPECT_EQ(node->value().tagLine(), -1);
  delete node;
}

TEST(Node, DestroyingTheFirstOfThreeRootSiblingsDestroysAll) {
  memManCheckLeakC check;
  metaTreeC* a = key("A");
  metaTreeC::insertAfter(key("B"), a);
  metaTreeC::insertAfter(key("C"), a->next());
  metaTreeC::appendChildren(number(1), a->next());
  { metaObjectC owner(a, true); }
  EXPECT_EQ(check.leaked(), 0);
}

TEST(Node, UnlinkingTheMiddleChildJoinsItsNeighbours) {
  memManCheckLeakC check;
  metaTreeC* parent = key("P");
  auto kids = addKeys(parent, {"A", "B", "C"});
  metaTreeC::appendChildren(number(7), kids[1]);
  const std::uint32_t changes = metaTreeChangeCount;
  metaTreeC::unlink(kids[1]);
  EXPECT_EQ(metaTreeChangeCount, changes + 1);
  EXPECT_EQ(kids[0]->next(), kids[2]);
  EXPECT_EQ(kids[2]->previous(), kids[0]);
  EXPECT_EQ(kids[1]->parent(), nullptr);
  EXPECT_NE(kids[1]->firstChild(), nullptr);
  delete kids[1];  // it and its child alone
  expectLinksConsistent(parent);
  EXPECT_EQ(parent->firstChild()->next(), kids[2]);
  delete parent;
  EXPECT_EQ(check.leaked(), 0);
}

TEST(Node, UnlinkingTheFirstChildMovesTheHead) {
  metaTreeC* parent = key("P");
  auto kids = addKeys(parent, {"A", "B"});
  metaTreeC::unlink(kids[0]);
  EXPECT_EQ(parent->firstChild(), kids[1]);
  EXPECT_EQ(kids[1]->previous(), nullptr);
  delete kids[0];
  delete parent;
}

TEST(Node, DestroyingAChildWithoutUnlinkCutsTheChainThere) {
  metaTreeC* parent = key("P");
  auto kids = addKeys(parent, {"A", "B", "C"});
  delete kids[1];  // B and C go
  EXPECT_EQ(kids[0]->next(), nullptr);
  delete parent;
}

TEST(Node, PrependPutsTheChainBeforeTheFirstChild) {
  metaTreeC* parent = key("P");
  addKeys(parent, {"C"});
  metaTreeC* chain = key("A");
  metaTreeC::insertAfter(key("B"), chain);
  metaTreeC::prependChildren(chain, parent);
  std::string order;
  for (metaTreeC* c = parent->firstChild(); c; c = c->next()) order += c->value().text().c_str();
  EXPECT_EQ(order, "ABC");
  expectLinksConsistent(parent);
  delete parent;
}

TEST(Node, CopiesAreDeepAndIndependent) {
  memManCheckLeakC check;
  metaTreeC* a = key("A");
  auto kids = addKeys(a, {"X", "Y"});
  metaTreeC::appendChildren(number(2.5), kids[0]);
  metaTreeC::insertAfter(key("B"), a);
  metaTreeC* subtree = metaTreeC::copySubtree(a);
  metaTreeC* chain = metaTreeC::copyChain(a);
  EXPECT_EQ(subtree->next(), nullptr);
  ASSERT_NE(chain->next(), nullptr);
  EXPECT_TRUE(chain->next()->hasKey("B"));
  EXPECT_EQ(chain->next()->previous(), chain);
  EXPECT_EQ(subtree->parent(), nullptr);
  EXPECT_TRUE(subtree->firstChild()->hasKey("X"));
  EXPECT_EQ(subtree->firstChild()->firstChild()->value().number(), 2.5);
  expectLinksConsistent(subtree);
  delete a;  // the source chain
  EXPECT_TRUE(subtree->firstChild()->next()->hasKey("Y"));
  delete subtree;
  delete chain;
  EXPECT_EQ(check.leaked(), 0);
}

TEST(Node, MillionsOfSiblingsAndDeepNestingNeverRecurse) {
  memManCheckLeakC check;
  metaTreeC* root = key("ROOT");
  metaTreeC* last = key("I");
  metaTreeC::appendChildren(last, root);
  for (int i = 0; i < 1000000; ++i) {
    metaTreeC* next = key("I");
    metaTreeC::insertAfter(next, last);
    last = next;
  }
  metaTreeC* deep = root;
  for (int i = 0; i < 200000; ++i) {
    metaTreeC* child = key("D");
    metaTreeC::appendChildren(child, deep == root ? last : deep);
    deep = child;
  }
  metaNodeCompareKeyC missing("NOPE");
  EXPECT_EQ(searchChain(root, missing, -1), nullptr);
  metaTreeC* copy = metaTreeC::copyChain(root);
  delete root;
  delete copy;
  EXPECT_EQ(check.leaked(), 0);
}

TEST(Node, ChainSearchVisitsAParentBeforeItsChildrenAndHonoursDepth) {
  metaTreeC* root = key("R");
  auto top = addKeys(root, {"A", "B"});
  auto inner = addKeys(top[0], {"T"});
  addKeys(top[1], {"T"});
  addKeys(inner[0], {"U"});
  metaNodeCompareKeyC t("T");
  EXPECT_EQ(searchChain(root->firstChild(), t, 0), nullptr);
  metaNodeCompareKeyC t1("T");
  EXPECT_EQ(searchChain(root->firstChild(), t1, 1), inner[0]);
  metaNodeCompareKeyC u("U");
  EXPECT_EQ(searchChain(root->firstChild(), u, 1), nullptr);
  metaNodeCompareKeyC u2("U");
  EXPECT_NE(searchChain(root, u2, -1), nullptr);
  delete root;
}

TEST(Node, StructuralChangesMoveTheChangeCounter) {
  metaTreeC* parent = key("P");
  std::uint32_t before = metaTreeChangeCount;
  metaTreeC* child = key("C");
  metaTreeC::appendChildren(child, parent);
  EXPECT_NE(metaTreeChangeCount, before);
  before = metaTreeChangeCount;
  metaTreeC::removeAllChildren(parent);
  EXPECT_NE(metaTreeChangeCount, before);
  EXPECT_EQ(parent->firstChild(), nullptr);
  delete parent;
}

}  // namespace
}  // namespace lorvane
