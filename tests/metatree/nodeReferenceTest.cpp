#include "lorvane/metatree/metaObject.h"

#include <gtest/gtest.h>

#include "lorvane/metatree/memory/memManCheckLeak.h"

namespace lorvane {
namespace {

// OUTFMTS with three OUTFMT children, as a capability tree holds them.
metaObjectC threeFormats() {
  metaObjectC formats = metaObjectVirtualDataBaseC::createTree("OUTFMTS", true);
  for (const char* name : {"META2DV1", "META", "MI"}) {
    metaObjectC entry(formats.addChild("OUTFMT"));
    metaObjectC(entry.getOrAddChild("NAME")).setString(name);
  }
  return formats;
}

std::string nameOf(metaTreeC* format) {
  return std::string(metaObjectC(metaObjectC(format).findChild("NAME")).getString().view());
}

TEST(NodeReference, FindChildYieldsTheFirstOfEqualKeys) {
  metaObjectC formats = threeFormats();
  EXPECT_EQ(nameOf(formats.findChild("OUTFMT")), "META2DV1");
  EXPECT_EQ(nameOf(formats.findChildNr(1, "OUTFMT")), "META");
  EXPECT_EQ(nameOf(formats.findChildNr(2, "OUTFMT")), "MI");
  EXPECT_EQ(formats.findChildNr(3, "OUTFMT"), nullptr);
  EXPECT_EQ(formats.findChild("outfmt"), nullptr);
  EXPECT_EQ(nameOf(formats.getChild(2)), "MI");
  EXPECT_EQ(formats.getChild(3), nullptr);
}

TEST(NodeReference, GetOrAddChildReusesWhereAddChildAppends) {
  metaObjectC root = metaObjectVirtualDataBaseC::createTree("R", true);
  metaTreeC* first = root.getOrAddChild("INFO");
  EXPECT_EQ(root.getOrAddChild("INFO"), first);
  metaTreeC* second = root.addChild("INFO");
  EXPECT_NE(second, first);
  EXPECT_EQ(first->next(), second);
  EXPECT_EQ(root.findChild("INFO"), first);
}

TEST(NodeReference, AddChildTakesOrCopiesAChain) {
  memManCheckLeakC check;
  {
    metaObjectC root = metaObjectVirtualDataBaseC::createTree("R", true);
    metaTreeC* chain = metaTreeC::createKeyNode("A");
    metaTreeC::insertAfter(metaTreeC::createKeyNode("B"), chain);
    metaTreeC* linked = root.addChild("LINKED", chain, false);
    EXPECT_EQ(linked->firstChild(), chain);
    EXPECT_EQ(chain->parent(), linked);
    metaTreeC* copied = root.addChild("COPIED", chain, true);
    EXPECT_NE(copied->firstChild(), chain);
    EXPECT_TRUE(copied->firstChild()->next()->hasKey("B"));
    EXPECT_EQ(copied->firstChild()->next()->parent(), copied);
  }
  EXPECT_EQ(check.leaked(), 0);
}

TEST(NodeReference, AssigningAnOwningReferenceCopiesTheTree) {
  memManCheckLeakC check;
  {
    metaObjectC owner = metaObjectVirtualDataBaseC::createTree("A", true);
    owner.getOrAddChild("X");
    metaObjectC copy;
    copy = owner;
    EXPECT_TRUE(copy.ownsNode());
    EXPECT_NE(copy.node(), owner.node());
    EXPECT_TRUE(copy.hasChild("X"));
    owner.removeAllChildren();
    EXPECT_TRUE(copy.hasChild("X"));

    metaObjectC borrowed(owner.node(), false);
    metaObjectC share;
    share = borrowed;
    EXPECT_FALSE(share.ownsNode());
    EXPECT_EQ(share.node(), owner.node());
  }
  EXPECT_EQ(check.leaked(), 0);
}

TEST(NodeReference, ConstructionFromAReferenceCanChangeOwnership) {
  metaObjectC owner = metaObjectVirtualDataBaseC::createTree("A", true);
  metaObjectVirtualDataBaseC view(owner, 0);  // a copy, not owned
  EXPECT_FALSE(view.ownsNode());
  EXPECT_NE(view.node(), owner.node());
  delete view.node();
}

TEST(NodeReference, DetachUnlinksAndTakesOwnership) {
  memManCheckLeakC check;
  {
    metaObjectC root = metaObjectVirtualDataBaseC::createTree("R", true);
    root.addChild("A");
    metaObjectC b(root.addChild("B"));
    root.addChild("C");
    EXPECT_TRUE(b.detach(true));
    EXPECT_TRUE(b.ownsNode());
    EXPECT_EQ(root.getChild(1), root.findChild("C"));
  }
  EXPECT_EQ(check.leaked(), 0);
  metaObjectC empty;
  EXPECT_FALSE(empty.detach(true));
}

TEST(NodeReference, KeyQueries) {
  metaObjectC node = metaObjectVirtualDataBaseC::createTree("NAME", true);
  EXPECT_TRUE(node.isKey());
  EXPECT_TRUE(node.hasKey("NAME"));
  EXPECT_FALSE(node.hasKey(static_cast<const char*>(nullptr)));
  EXPECT_EQ(node.getKey(), std::string_view("NAME"));
  metaObjectC value(node.node()->firstChild());
  EXPECT_FALSE(value.isKey());
}

TEST(NodeReference, EveryOperationOnAnEmptyReferenceDoesNothing) {
  metaObjectC empty;
  EXPECT_FALSE(empty.isValid());
  EXPECT_FALSE(empty.isKey());
  EXPECT_FALSE(empty.hasKey("A"));
  EXPECT_STREQ(empty.getKey().c_str(), "");
  EXPECT_EQ(empty.getFirstChild(), nullptr);
  EXPECT_EQ(empty.findChild("A"), nullptr);
  EXPECT_EQ(empty.addChild("A"), nullptr);
  EXPECT_EQ(empty.getOrAddChild("A"), nullptr);
  EXPECT_EQ(empty.copyTree(false, true), nullptr);
  EXPECT_EQ(empty.appendChildren(nullptr, false), nullptr);
  empty.removeAllChildren();
  empty.setString("x");
  EXPECT_EQ(empty.getDouble(), 0.0);
}

TEST(NodeReference, AppendChildrenCopiesOnRequest) {
  metaObjectC root = metaObjectVirtualDataBaseC::createTree("R", true);
  metaObjectC source = metaObjectVirtualDataBaseC::createTree("S", true);
  EXPECT_EQ(root.appendChildren(source.node(), true), source.node());
  EXPECT_NE(root.getFirstChild(), source.node());
  EXPECT_TRUE(root.getFirstChild()->hasKey("S"));
}

}  // namespace
}  // namespace lorvane
