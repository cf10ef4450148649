#include "lorvane/metatree/metaRegistry.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

// A small view family: the base forwards `describe` to the prototype
// registered for the node's key.
class animalC : public metaObjectC {
public:
  explicit animalC(metaTreeC* node = nullptr) : metaObjectVirtualDataBaseC(node, false) {}
  virtual int describe(int x) {
    return forwardToPrototype(registry(), this, 0, [&](animalC& p) { return p.describe(x); });
  }
  static metaObjectInterfaceListC& registry() {
    static metaObjectInterfaceListC list;
    return list;
  }
};

class catC : public animalC {
public:
  int describe(int x) override {
    boundDuringCall = node();
    return 100 + x;
  }
  metaTreeC* boundDuringCall = nullptr;
};

TEST(Registry, KeepsEntriesSortedByNameWhateverTheOrder) {
  metaObjectInterfaceListC registry;
  metaObjectC a, b, c;
  registry.registerInterface("DRAWING", &c, 3);
  registry.registerInterface("ARC", &a, 3);
  registry.registerInterface("CIRCLE", &b, 3);
  ASSERT_EQ(registry.size(), 3u);
  EXPECT_EQ(registry.entry(0).name, std::string_view("ARC"));
  EXPECT_EQ(registry.entry(1).name, std::string_view("CIRCLE"));
  EXPECT_EQ(registry.entry(2).name, std::string_view("DRAWING"));
}

TEST(Registry, APrefixSortsBeforeTheLongerNameAndBytesCompareUnsigned) {
  metaObjectInterfaceListC registry;
  metaObjectC p[3];
  registry.registerInterface("ELLIPSEARC", &p[0], 3);
  registry.registerInterface("\xC4X", &p[1], 3);
  registry.registerInterface("ELLIPSE", &p[2], 3);
  EXPECT_EQ(registry.entry(0).name, std::string_view("ELLIPSE"));
  EXPECT_EQ(registry.entry(1).name, std::string_view("ELLIPSEARC"));
  EXPECT_EQ(registry.entry(2).name, std::string_view("\xC4X"));
}

TEST(Registry, OnlyAHigherPriorityReplacesAnEntry) {
  metaObjectInterfaceListC registry;
  metaObjectC first, second, third;
  EXPECT_TRUE(registry.registerInterface("ELLIPSE", &first, 3));
  EXPECT_TRUE(registry.registerInterface("ELLIPSE", &second, 4));
  EXPECT_FALSE(registry.registerInterface("ELLIPSE", &third, 4));
  EXPECT_FALSE(registry.registerInterface("ELLIPSE", &third, 3));
  EXPECT_EQ(registry.findInterface("ELLIPSE"), &second);
  EXPECT_EQ(registry.entry(0).priority, 4);
  EXPECT_EQ(registry.size(), 1u);
}

TEST(Registry, LookupWorksLinearlyAndByBinarySearch) {
  metaObjectInterfaceListC registry;
  metaObjectC protos[10];
  const char* names[] = {"SPOINT", "LINE", "ARC", "CIRCLE", "ICRV2D", "ELLIPSE", "ELLIPSEARC", "TEXT", "X", "A"};
  for (int i = 0; i < 10; ++i) {
    registry.registerInterface(names[i], &protos[i], 3);
    for (int j = 0; j <= i; ++j) ASSERT_EQ(registry.findInterface(names[j]), &protos[j]) << i << " " << j;
    EXPECT_EQ(registry.findInterface("NONE"), nullptr);
    EXPECT_EQ(registry.findInterface(""), nullptr);
  }
}

TEST(Registry, UnregisteringAPrototypeRemovesItsEntries) {
  metaObjectInterfaceListC registry;
  metaObjectC a, b;
  registry.registerInterface("A", &a, 3);
  registry.registerInterface("B", &b, 3);
  registry.unregisterInterface(&a);
  EXPECT_EQ(registry.findInterface("A"), nullptr);
  EXPECT_EQ(registry.findInterface("B"), &b);
  registry.unregisterInterface(&b);
  EXPECT_EQ(registry.size(), 0u);
}

TEST(Forwarding, ABaseViewActsAsTheRegisteredClassAndRestoresThePrototype) {
  catC prototype;
  animalC::registry().registerInterface("CAT", static_cast<animalC*>(&prototype), 3);
  metaObjectC cat = metaObjectVirtualDataBaseC::createTree("CAT", true);
  animalC view(cat.node());
  EXPECT_EQ(view.describe(5), 105);
  EXPECT_EQ(prototype.boundDuringCall, cat.node());
  EXPECT_EQ(prototype.node(), nullptr);
  animalC::registry().unregisterInterface(&prototype);
}

TEST(Forwarding, UnregisteredKeysNonKeysAndThePrototypeItselfGiveZero) {
  animalC prototype;
  animalC::registry().registerInterface("DOG", &prototype, 3);
  metaObjectC dog = metaObjectVirtualDataBaseC::createTree("DOG", true);
  metaObjectC other = metaObjectVirtualDataBaseC::createTree("FISH", true);
  other.setDouble(1.0);
  EXPECT_EQ(animalC(dog.node()).describe(1), 0);  // ends at the prototype itself
  EXPECT_EQ(animalC(other.node()).describe(1), 0);
  EXPECT_EQ(animalC(other.node()->firstChild()).describe(1), 0);
  EXPECT_EQ(animalC().describe(1), 0);
  animalC::registry().unregisterInterface(&prototype);
}

}  // namespace
}  // namespace lorvane
