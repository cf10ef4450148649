#include "lorvane/metatree/metaObjectRef.h"

#include <gtest/gtest.h>

#include <cstring>

#include "lorvane/metatree/binaryAttribute.h"
#include "lorvane/metatree/memory/memManCheckLeak.h"

namespace lorvane {
namespace {

std::string dataOf(metaTreeC* key) {
  return std::string(metaObjectC(metaObjectC(key).findChild("DATA")).getString().view());
}

TEST(BinaryAttribute, FourZeroBytesGiveSixZeroDigits) {
  metaObjectC key = metaObjectVirtualDataBaseC::createTree("BIN", true);
  const unsigned char zeros[4] = {0, 0, 0, 0};
  writeBinary(key.node(), zeros, 4, 0);
  EXPECT_EQ(metaObjectC(key.findChild("CODE")).getInt(), 0);
  EXPECT_EQ(metaObjectC(key.findChild("SIZE")).getInt(), 4);
  EXPECT_EQ(dataOf(key.node()), "000000");
  EXPECT_TRUE(key.getChild(0)->hasKey("CODE"));
  EXPECT_TRUE(key.getChild(1)->hasKey("SIZE"));
  EXPECT_TRUE(key.getChild(2)->hasKey("DATA"));
}

TEST(BinaryAttribute, BitsAreReadMostSignificantFirstInSixBitGroups) {
  metaObjectC key = metaObjectVirtualDataBaseC::createTree("BIN", true);
  // 0xFF 0x00 0x01 = 111111 110000 000000 000001
  const unsigned char bytes[3] = {0xFF, 0x00, 0x01};
  writeBinary(key.node(), bytes, 3, 7);
  EXPECT_EQ(dataOf(key.node()), ";M01");
  // 0x04 = 000001 00(0000): the last group is filled with zero bits
  const unsigned char one[1] = {0x04};
  writeBinary(key.node(), one, 1, 0);
  EXPECT_EQ(dataOf(key.node()), "10");
  EXPECT_EQ(key.getChild(3), nullptr);  // the old children are gone
}

TEST(BinaryAttribute, ReadingGivesTheBytesBackOrMinusOne) {
  metaObjectC key = metaObjectVirtualDataBaseC::createTree("BIN", true);
  const unsigned char bytes[5] = {0x12, 0x34, 0x56, 0x78, 0x9A};
  writeBinary(key.node(), bytes, 5, 0);
  unsigned char back[8] = {};
  EXPECT_EQ(readBinary(key.node(), back, sizeof back), 5);
  EXPECT_EQ(std::memcmp(back, bytes, 5), 0);
  unsigned char small[4] = {9, 9, 9, 9};
  EXPECT_EQ(readBinary(key.node(), small, sizeof small), -1);
  EXPECT_EQ(small[0], 9);
  writeBinary(key.node(), bytes, 0, 0);
  EXPECT_EQ(key.findChild("DATA"), nullptr);
  EXPECT_EQ(readBinary(key.node(), back, sizeof back), -1);
}

TEST(Reference, TargetSurvivesWriteAndRead) {
  metaObjectC target = metaObjectVirtualDataBaseC::createTree("T", true);
  metaObjectRefC ref(metaObjectRefC::create(target.node()).node(), true);
  EXPECT_EQ(ref.getTarget(), target.node());
  metaTreeC* attribute = ref.findChild("REFTRGPTR");
  EXPECT_EQ(metaObjectC(metaObjectC(attribute).findChild("SIZE")).getInt(), static_cast<int>(sizeof(void*)));
  ref.setTarget(nullptr);
  EXPECT_EQ(ref.getTarget(), nullptr);
}

TEST(Reference, MalformedAttributesReadAsNoTarget) {
  metaObjectRefC ref(metaTreeC::createKeyNode("MOREF"), true);
  EXPECT_EQ(ref.getTarget(), nullptr);
  metaTreeC* attribute = ref.getOrAddChild("REFTRGPTR");
  metaObjectC(metaObjectC(attribute).getOrAddChild("SIZE")).setDouble(99);
  EXPECT_EQ(ref.getTarget(), nullptr);
}

TEST(Reference, ShorterAddressesAreZeroExtended) {
  metaObjectRefC ref(metaTreeC::createKeyNode("MOREF"), true);
  const unsigned char bytes[2] = {0x34, 0x12};
  writeBinary(ref.getOrAddChild("REFTRGPTR"), bytes, 2, 0);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(ref.getTarget()), 0x1234u);
}

// FIGURE{ TARGET, MOREF -> TARGET }
struct figureWithReference {
  metaObjectC figure = metaObjectVirtualDataBaseC::createTree("FIGURE", true);
  metaTreeC* target = figure.addChild("TARGET");
  metaTreeC* reference = nullptr;
  figureWithReference() {
    metaObjectRefC ref = metaObjectRefC::create(target);
    reference = ref.node();
    metaTreeC::appendChildren(reference, figure.node());
  }
};

TEST(Reference, ACopiedTreeRefersToTheCopyOfTheTarget) {
  memManCheckLeakC check;
  {
    figureWithReference source;
    metaObjectC copy(source.figure.copyTree(true, true), true);
    metaTreeC* copiedTarget = copy.findChild("TARGET");
    metaObjectRefC copiedRef(copy.findChild("MOREF"));
    EXPECT_EQ(copiedRef.getTarget(), copiedTarget);
    EXPECT_EQ(metaObjectRefC(source.reference).getTarget(), source.target);
    EXPECT_EQ(source.target->copyTarget(), nullptr);  // no marks left behind
  }
  EXPECT_EQ(check.leaked(), 0);
}

TEST(Reference, CopyingTheReferenceAloneClearsItsTarget) {
  figureWithReference source;
  metaObjectRefC copy(metaObjectC(source.reference).copyTree(true, true), true);
  EXPECT_EQ(copy.getTarget(), nullptr);
  EXPECT_TRUE(copy.hasChild("REFTRGPTR"));
}

TEST(Reference, AssigningAnOwningViewCopiesThroughTheCustomCopy) {
  figureWithReference source;
  metaObjectC owner(source.figure.copyTree(true, true), true);
  metaObjectC second;
  second = owner;
  EXPECT_EQ(metaObjectRefC(second.findChild("MOREF")).getTarget(), second.findChild("TARGET"));
}

TEST(Reference, StoringTurnsAddressesIntoPositions) {
  figureWithReference source;
  metaObjectC stored(storeTreeCopy(source.figure.node()), true);
  ASSERT_TRUE(stored.isValid());
  // FIGURE is position 1, TARGET 2, so the stored reference carries 2.
  metaTreeC* attribute = metaObjectC(stored.findChild("MOREF")).findChild("REFTRGPTR");
  unsigned char bytes[4] = {};
  EXPECT_EQ(readBinary(attribute, bytes, 4), 4);
  EXPECT_EQ(bytes[0], 2);
  restoreTree(stored.node());
  EXPECT_EQ(metaObjectRefC(stored.findChild("MOREF")).getTarget(), stored.findChild("TARGET"));
  // The source is untouched.
  EXPECT_EQ(metaObjectRefC(source.reference).getTarget(), source.target);
}

TEST(Reference, ATreeWithoutReferencesHasNoStoredForm) {
  metaObjectC plain = metaObjectVirtualDataBaseC::createTree("PLAIN", true);
  EXPECT_EQ(storeTreeCopy(plain.node()), nullptr);
}

}  // namespace
}  // namespace lorvane
