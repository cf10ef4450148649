#include "lorvane/metatree/metaValue.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

TEST(Value, StartsEmptyWithAnUnsetTag) {
  metaValueC value;
  EXPECT_EQ(value.kind(), metaValueKind::none);
  EXPECT_EQ(value.tagLine(), -1);
  EXPECT_EQ(value.tagExtra(), -1);
  EXPECT_STREQ(value.text().c_str(), "");
}

TEST(Value, KeyAndStringDifferOnlyByKind) {
  metaValueC key;
  key.setKey("NAME");
  metaValueC text;
  text.setString("NAME");
  EXPECT_TRUE(key.isKey());
  EXPECT_TRUE(text.isString());
  EXPECT_EQ(key.text(), text.text());
}

TEST(Value, TextSettersReuseTheTextObject) {
  metaValueC value;
  value.setKey("A");
  const str* held = &value.text();
  value.setString("longer text");
  EXPECT_EQ(&value.text(), held);
  EXPECT_TRUE(value.isString());
  EXPECT_EQ(value.text(), std::string_view("longer text"));
}

TEST(Value, NumbersDropAHeldText) {
  metaValueC value;
  value.setString("x");
  value.setNumber(2.5);
  EXPECT_TRUE(value.isNumber());
  EXPECT_EQ(value.number(), 2.5);
  EXPECT_STREQ(value.text().c_str(), "");
  value.clear();
  EXPECT_EQ(value.kind(), metaValueKind::none);
}

TEST(Value, AssignmentCopiesKindTextAndTag) {
  metaValueC source;
  source.setString("copied");
  source.setTag(12, 0);
  metaValueC target;
  target.setNumber(1.0);
  target = source;
  EXPECT_TRUE(target.isString());
  EXPECT_EQ(target.text(), std::string_view("copied"));
  EXPECT_NE(&target.text(), &source.text());
  EXPECT_EQ(target.tagLine(), 12);
  EXPECT_EQ(target.tagExtra(), 0);
}

TEST(Value, AnyTagWordTravelsWithCopiesAndOutlivesTheOriginal) {
  auto* source = new metaValueC;
  source->setTag(7, 123456);
  metaValueC copy(*source);
  metaValueC assigned;
  assigned = *source;
  delete source;
  EXPECT_EQ(copy.tagExtra(), 123456);
  EXPECT_EQ(assigned.tagExtra(), 123456);
  copy.setTag(7, 0);
  EXPECT_EQ(copy.tagExtra(), 0);
  EXPECT_EQ(assigned.tagExtra(), 123456);
  assigned.setTag(-1, -1);
  EXPECT_EQ(assigned.tagExtra(), -1);
}

TEST(Value, SettersKeepTheTag) {
  metaValueC value;
  value.setNumber(1.0);
  value.setTag(3, 0);
  value.setNumber(2.0);
  value.setString("s");
  EXPECT_EQ(value.tagLine(), 3);
}

TEST(Value, IntegerAndWordKindsAreCarriedByCopies) {
  metaValueC word;
  word.setWord(0xDEADBEEF);
  metaValueC copy(word);
  EXPECT_EQ(copy.kind(), metaValueKind::word);
  EXPECT_EQ(copy.word(), 0xDEADBEEFu);
  metaValueC integer;
  integer.setInteger(-5);
  copy = integer;
  EXPECT_EQ(copy.kind(), metaValueKind::integer);
  EXPECT_EQ(static_cast<std::int32_t>(copy.word()), -5);
}

TEST(Value, TextsMoveBetweenTheirShortAndLongForms) {
  str text("short");
  const std::string longer(100, 'x');
  text = std::string_view(longer);
  EXPECT_EQ(text, std::string_view(longer));
  text = std::string_view(text.c_str() + 90, 10);  // from its own long buffer into the short form
  EXPECT_EQ(text, std::string_view("xxxxxxxxxx"));
  text = std::string_view(longer.data(), 16);  // exactly one past the short form
  EXPECT_EQ(text.length(), 16u);
  text = std::string_view(text.c_str() + 1, 15);  // exactly the short form, from its own buffer
  EXPECT_EQ(text, std::string_view(longer.data(), 15));
  str copy(text);
  EXPECT_EQ(copy, text);
  EXPECT_NE(copy.c_str(), text.c_str());
}

TEST(Value, EmptyTextHoldsNoBuffer) {
  str empty("");
  EXPECT_TRUE(empty.empty());
  EXPECT_STREQ(empty.c_str(), "");
  str text("abc");
  text = std::string_view(text.c_str() + 1, 2);  // from its own buffer
  EXPECT_EQ(text, std::string_view("bc"));
}

}  // namespace
}  // namespace lorvane
