#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "lorvane/metatree/memory/memManCheckLeak.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaObjectRef.h"
#include "lorvane/metatree/metaTextNumber.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "textPieceSource.h"
#include "treeBuilder.h"

namespace lorvane {
namespace {

// ---------------------------------------------------------------------------
// Helpers. Trees are described in a notation of their own, independent of the
// text form: keys bare, strings in single quotes, numbers after '#', children
// in parentheses, siblings separated by a blank.

std::string describeNumber(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "#%.17g", value);
  return text;
}

std::string describeChain(const metaTreeC* node) {
  std::string out;
  for (; node; node = node->next()) {
    if (!out.empty()) out += ' ';
    const metaValueC& v = node->value();
    if (v.isKey()) out += std::string(v.text().view());
    else if (v.isString()) out += "'" + std::string(v.text().view()) + "'";
    else if (v.isNumber()) out += describeNumber(v.number());
    else out += "?";
    if (node->firstChild()) out += "(" + describeChain(node->firstChild()) + ")";
  }
  return out;
}

struct readResultC {
  metaObjectC tree;
  std::string error;
};

using pieceSourceC = drawings::textPieceSourceC;

// The written text of a chain with the tag line of every node, in order.
std::string writtenWithLines(metaTreeC* chain) {
  std::string out = writeTree(chain, false, false) + " lines:";
  std::vector<const metaTreeC*> pending;
  if (chain) pending.push_back(chain);
  while (!pending.empty()) {
    const metaTreeC* node = pending.back();
    pending.pop_back();
    out += ' ' + std::to_string(node->value().tagLine());
    if (node->next()) pending.push_back(node->next());
    if (node->firstChild()) pending.push_back(node->firstChild());
  }
  return out;
}

// Every text these tests read is also read through windows that tokens
// cross, one that fits it whole and a source that hands out single bytes:
// each must give the same tree, tags, error and line as the text in memory.
void expectSameThroughWindows(std::string_view text, bool raw, const metaObjectC& tree, const metaTextReaderC& whole) {
  const std::string expected = writtenWithLines(tree.node());
  const struct {
    std::size_t window;
    std::size_t piece;
  } ways[] = {{1, std::string_view::npos}, {2, std::string_view::npos}, {3, std::string_view::npos},
              {7, std::string_view::npos}, {64, std::string_view::npos}, {metaTextReaderC::kDefaultBufferSize, 1},
              {metaTextReaderC::kDefaultBufferSize, std::string_view::npos}};
  for (const auto& way : ways) {
    // Windows of a few bytes add nothing on texts of millions but time.
    if (text.size() > 1500000 && way.window != 64) continue;
    metaTextReaderC reader;
    reader.setRawStrings(raw);
    reader.setBufferSize(way.window);
    pieceSourceC source{text, way.piece};
    metaObjectC again = reader.readTree(&pieceSourceC::read, &source, true, text.size());
    ASSERT_EQ(reader.errorText(), whole.errorText()) << "window " << way.window << " piece " << way.piece;
    ASSERT_EQ(reader.line(), whole.line()) << "window " << way.window << " piece " << way.piece;
    ASSERT_EQ(writtenWithLines(again.node()), expected) << "window " << way.window << " piece " << way.piece;
  }
}

readResultC read(std::string_view text, bool raw = false) {
  metaTextReaderC reader;
  reader.setRawStrings(raw);
  metaObjectC tree = reader.readTree(text, true);
  expectSameThroughWindows(text, raw, tree, reader);
  return {std::move(tree), reader.errorText()};
}

std::string readAndDescribe(std::string_view text) {
  readResultC r = read(text);
  EXPECT_EQ(r.error, "") << "reading " << text;
  return describeChain(r.tree.node());
}

std::string errorOf(std::string_view text) {
  readResultC r = read(text);
  EXPECT_EQ(r.tree.node(), nullptr) << "reading " << text;
  return r.error;
}

using drawings::addKey;
using drawings::addNumberNode;
using drawings::addStringNode;

std::string printfG14(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14g", value);
  return text;
}

std::string formatted(double value) {
  char text[kTextNumberMaxChars];
  return std::string(text, formatTextNumber(value, text));
}

// ---------------------------------------------------------------------------
// Grammar: what a chain of elements and sections becomes.

TEST(TextReaderGrammar, EmptyInputIsAnEmptyChainWithoutError) {
  readResultC r = read("");
  EXPECT_EQ(r.tree.node(), nullptr);
  EXPECT_EQ(r.error, "");
  readResultC blanks = read(" \t\r\n,, \n");
  EXPECT_EQ(blanks.tree.node(), nullptr);
  EXPECT_EQ(blanks.error, "");
}

TEST(TextReaderGrammar, CommaAndBlankBothSeparateSiblingKeys) {
  EXPECT_EQ(readAndDescribe("A,B"), "A B");
  EXPECT_EQ(readAndDescribe("A B"), "A B");
  EXPECT_EQ(readAndDescribe("A\tB\r\nC,,,D"), "A B C D");
}

TEST(TextReaderGrammar, SectionBecomesTheChildListOfTheElementBeforeIt) {
  EXPECT_EQ(readAndDescribe("INFO{NAME{\"X\"}SIZE{4}}"), "INFO(NAME('X') SIZE(#4))");
  EXPECT_EQ(readAndDescribe("A{B}C"), "A(B) C");
  EXPECT_EQ(readAndDescribe("A{}"), "A");
  EXPECT_EQ(readAndDescribe("A B { C }"), "A B(C)");
}

TEST(TextReaderGrammar, LaterSectionsGoBeforeEarlierOnes) {
  EXPECT_EQ(readAndDescribe("A{x}{y}"), "A(y x)");
  EXPECT_EQ(readAndDescribe("A{x1 x2}{y1 y2}{z}"), "A(z y1 y2 x1 x2)");
  // The last node of the chain owns a section, also across blanks.
  EXPECT_EQ(readAndDescribe("A{B} {C}"), "A(C B)");
}

TEST(TextReaderGrammar, TokensNeedNoSeparatorBetweenThem) {
  EXPECT_EQ(readAndDescribe("A\"s\"B"), "A 's' B");
  EXPECT_EQ(readAndDescribe("\"a\"\"b\""), "'a' 'b'");
  EXPECT_EQ(readAndDescribe("P{1.5,-2}"), "P(#1.5 #-2)");
}

TEST(TextReaderGrammar, StringsAndNumbersMayCarrySections) {
  EXPECT_EQ(readAndDescribe("\"s\"{A}"), "'s'(A)");
  EXPECT_EQ(readAndDescribe("5{A}"), "#5(A)");
}

TEST(TextReaderGrammar, WordCharactersMakeOneKey) {
  EXPECT_EQ(readAndDescribe("x-1"), "x-1");
  EXPECT_EQ(readAndDescribe("_a.b+c@d"), "_a.b+c@d");
  EXPECT_EQ(readAndDescribe("@1"), "@1");
  EXPECT_EQ(readAndDescribe("inf nan"), "inf nan");
}

TEST(TextReaderGrammar, KeysAreToldApartByEveryByteAndLength) {
  // Alike at both ends, or in the bytes a short key is sampled at.
  const std::string text =
      "PREFIX_long_key_A_middle_SUFFIX PREFIX_long_key_B_middle_SUFFIX AB ABB A ABCD ABCDE ABDCE "
      "AAAAAAAAxAAAAAAAA AAAAAAAAyAAAAAAAA PREFIX_long_key_A_middle_SUFFIX";
  EXPECT_EQ(readAndDescribe(text), text);
  // Every node of one key shares its text.
  readResultC r = read("K L K");
  EXPECT_EQ(r.tree.node()->value().text().view().data(), r.tree.node()->next()->next()->value().text().view().data());
}

// Past the key table's first size, with keys colliding in their home slots.
TEST(TextReaderGrammar, ThousandsOfKeysEachKeepTheirOneText) {
  std::string text;
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < 3000; ++i) text += (text.empty() ? "K" : ",K") + std::to_string(i);
  readResultC r = read(text);
  EXPECT_TRUE(writeTree(r.tree.node(), false, false) == text);
  std::vector<metaTreeC*> nodes;
  for (metaTreeC* node = r.tree.node(); node; node = node->next()) nodes.push_back(node);
  ASSERT_EQ(nodes.size(), 6000u);
  for (std::size_t i = 0; i < 3000; ++i)
    EXPECT_EQ(&nodes[i]->value().text(), &nodes[i + 3000]->value().text()) << i;
}

TEST(TextReaderGrammar, ReadNodesAreRootsLinkedBothWays) {
  readResultC r = read("A{B C} D");
  metaTreeC* a = r.tree.node();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->parent(), nullptr);
  EXPECT_EQ(a->previous(), nullptr);
  metaTreeC* b = a->firstChild();
  metaTreeC* c = b->next();
  EXPECT_EQ(b->parent(), a);
  EXPECT_EQ(c->parent(), a);
  EXPECT_EQ(b->previous(), nullptr);
  EXPECT_EQ(c->previous(), b);
  EXPECT_EQ(a->next()->previous(), a);
  EXPECT_EQ(a->next()->parent(), nullptr);
}

TEST(TextReaderGrammar, OwnershipFollowsTheFlag) {
  memManCheckLeakC leaks;
  metaTextReaderC reader;
  {
    metaObjectC owned = reader.readTree("A{B} C", true);
    EXPECT_TRUE(owned.ownsNode());
  }
  EXPECT_EQ(leaks.leaked(), 0);
  metaObjectC shared = reader.readTree("A{B} C", false);
  EXPECT_FALSE(shared.ownsNode());
  metaTreeC::destroyChain(shared.node());
  EXPECT_EQ(leaks.leaked(), 0);
}

// ---------------------------------------------------------------------------
// Numbers: words that start with a digit, ".", "+" or "-".

double numberOf(std::string_view text) {
  readResultC r = read(text);
  EXPECT_EQ(r.error, "") << text;
  if (!r.tree.node() || !r.tree.node()->value().isNumber()) {
    ADD_FAILURE() << text << " did not read as a number";
    return 0.0;
  }
  return r.tree.node()->value().number();
}

TEST(TextReaderNumbers, DecimalSyntaxOfTheCLocale) {
  EXPECT_EQ(numberOf("1.5e3"), 1500.0);
  EXPECT_EQ(numberOf("1.5E3"), 1500.0);
  EXPECT_EQ(numberOf("+2"), 2.0);
  EXPECT_EQ(numberOf("-0.25"), -0.25);
  EXPECT_EQ(numberOf(".5"), 0.5);
  EXPECT_EQ(numberOf("-.5"), -0.5);
  EXPECT_EQ(numberOf("1."), 1.0);
  EXPECT_EQ(numberOf("007"), 7.0);
  EXPECT_EQ(numberOf("2.5e-3"), 0.0025);
  EXPECT_EQ(numberOf("+1e+2"), 100.0);
  EXPECT_EQ(numberOf("123456789012345678"), 123456789012345678.0);
}

TEST(TextReaderNumbers, SignedZeroKeepsItsSign) {
  const double negative = numberOf("-0");
  EXPECT_EQ(negative, 0.0);
  EXPECT_TRUE(std::signbit(negative));
  EXPECT_FALSE(std::signbit(numberOf("+0")));
}

TEST(TextReaderNumbers, SignedInfinityAndNanWordsAreNumbers) {
  EXPECT_EQ(numberOf("-inf"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(numberOf("+inf"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(numberOf("+infinity"), std::numeric_limits<double>::infinity());
  const double plusNan = numberOf("+nan");
  EXPECT_TRUE(std::isnan(plusNan));
  EXPECT_FALSE(std::signbit(plusNan));
  const double minusNan = numberOf("-nan");
  EXPECT_TRUE(std::isnan(minusNan));
  EXPECT_TRUE(std::signbit(minusNan));
}

TEST(TextReaderNumbers, MagnitudesBeyondTheRangeSaturate) {
  EXPECT_EQ(numberOf("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(numberOf("-12.5e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(numberOf("1e-999"), 0.0);
  const double tinyNegative = numberOf("-0.001e-400");
  EXPECT_EQ(tinyNegative, 0.0);
  EXPECT_TRUE(std::signbit(tinyNegative));
  // Subnormals are in range.
  EXPECT_EQ(numberOf("5e-324"), std::numeric_limits<double>::denorm_min());
}

TEST(TextReaderNumbers, TheWholeWordMustConvert) {
  EXPECT_EQ(errorOf("-x"), "Line:1 - value invalid :-x");
  EXPECT_EQ(errorOf("1.5e"), "Line:1 - value invalid :1.5e");
  EXPECT_EQ(errorOf("1.2.3"), "Line:1 - value invalid :1.2.3");
  EXPECT_EQ(errorOf("+-5"), "Line:1 - value invalid :+-5");
  EXPECT_EQ(errorOf("--1"), "Line:1 - value invalid :--1");
  EXPECT_EQ(errorOf("++1"), "Line:1 - value invalid :++1");
  EXPECT_EQ(errorOf("+"), "Line:1 - value invalid :+");
  EXPECT_EQ(errorOf("-"), "Line:1 - value invalid :-");
  EXPECT_EQ(errorOf("."), "Line:1 - value invalid :.");
  EXPECT_EQ(errorOf("1x"), "Line:1 - value invalid :1x");
  EXPECT_EQ(errorOf("2_000"), "Line:1 - value invalid :2_000");
  // Hexadecimal is no decimal syntax.
  EXPECT_EQ(errorOf("0x10"), "Line:1 - value invalid :0x10");
  EXPECT_EQ(errorOf("A{\n B{\n  1e5e\n }\n}"), "Line:3 - value invalid :1e5e");
}

TEST(TextReaderNumbers, DecimalsConvertToTheNearestDouble) {
  // strtod in this test's "C" locale rounds correctly; the reader must agree
  // on every bit, for short decimals and for long ones.
  std::mt19937_64 random(99);
  std::uniform_int_distribution<int> length(1, 22);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int i = 0; i < 100000; ++i) {
    std::string word = i % 2 ? "-" : (i % 3 ? "" : "+");
    const int count = length(random);
    const int point = std::uniform_int_distribution<int>(0, count)(random);
    for (int d = 0; d < count; ++d) {
      if (d == point) word += '.';
      word += static_cast<char>('0' + digit(random));
    }
    if (i % 7 == 0) word += "e" + std::to_string(digit(random) * 3 - 12);
    if (word == "." || word == "-." || word == "+.") continue;
    double parsed = 0.0;
    ASSERT_TRUE(parseTextNumber(word, parsed)) << word;
    const double expected = std::strtod(word.c_str(), nullptr);
    ASSERT_EQ(std::memcmp(&parsed, &expected, sizeof parsed), 0) << word;
  }
}

TEST(TextReaderNumbers, AnyWordOfNumberCharactersReadsAsStrtodReadsIt) {
  // Accepted or rejected alike, and bit for bit the same double: words of
  // every length around the 15 and 17 digits where conversions change, with
  // points, signs and exponents anywhere.
  std::mt19937_64 random(2027);
  const std::string_view rare = ".+-eE";
  int accepted = 0;
  for (int i = 0; i < 400000; ++i) {
    const int length = std::uniform_int_distribution<int>(1, 24)(random);
    const int rareEvery = std::uniform_int_distribution<int>(3, 40)(random);
    std::string word;
    for (int k = 0; k < length; ++k) {
      if (std::uniform_int_distribution<int>(0, rareEvery)(random) == 0)
        word += rare[std::uniform_int_distribution<std::size_t>(0, rare.size() - 1)(random)];
      else word += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(random));
    }
    // strtod takes a sign after "+", which the text form does not.
    const bool signAfterPlus = word[0] == '+' && word.size() > 1 && (word[1] == '+' || word[1] == '-');
    char* end = nullptr;
    const double expected = std::strtod(word.c_str(), &end);
    const bool expectAccepted = end == word.c_str() + word.size() && !signAfterPlus;
    double parsed = 0.0;
    ASSERT_EQ(parseTextNumber(word, parsed), expectAccepted) << word;
    if (!expectAccepted) continue;
    ++accepted;
    ASSERT_EQ(std::memcmp(&parsed, &expected, sizeof parsed), 0) << word;
  }
  EXPECT_GT(accepted, 100000);
}

TEST(TextReaderNumbers, NumbersAmongOthersReadAsStrtodReadsThem) {
  // The reader converts short decimals while it reads their words, and only
  // where a window holds the whole word: every word must still give strtod's
  // double, however it stands to its neighbours and to the window's end.
  std::mt19937_64 random(4242);
  const std::string_view separators = ", \n\t";
  std::string text;
  std::vector<double> expected;
  while (expected.size() < 60000) {
    const int length = std::uniform_int_distribution<int>(1, 19)(random);
    std::string word = std::uniform_int_distribution<int>(0, 2)(random) == 0 ? "-" : "";
    const int point = std::uniform_int_distribution<int>(-4, length)(random);
    for (int d = 0; d < length; ++d) {
      if (d == point) word += '.';
      word += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(random));
    }
    if (point == length) word += '.';
    // An exponent goes on with the word after its digits.
    if (std::uniform_int_distribution<int>(0, 9)(random) == 0)
      word += "e" + std::to_string(std::uniform_int_distribution<int>(-30, 30)(random));
    expected.push_back(std::strtod(word.c_str(), nullptr));
    text += word;
    text += separators[std::uniform_int_distribution<std::size_t>(0, separators.size() - 1)(random)];
  }
  for (const std::size_t window : {std::size_t{0}, std::size_t{7}, std::size_t{64}}) {
    metaTextReaderC reader;
    reader.setBufferSize(window);
    pieceSourceC source{text, std::string_view::npos};
    metaObjectC tree = window == 0 ? reader.readTree(text, true)
                                   : reader.readTree(&pieceSourceC::read, &source, true, text.size());
    ASSERT_EQ(reader.errorText(), "") << "window " << window;
    std::size_t i = 0;
    for (const metaTreeC* node = tree.node(); node; node = node->next(), ++i) {
      ASSERT_LT(i, expected.size());
      const double read = node->value().number();
      ASSERT_EQ(std::memcmp(&read, &expected[i], sizeof read), 0) << "window " << window << " word " << i;
    }
    EXPECT_EQ(i, expected.size()) << "window " << window;
  }
}

TEST(TextReaderNumbers, TheProcessLocaleDoesNotChangeTheSyntax) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* commaLocale = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "German_Germany.1252"}) {
    if (std::setlocale(LC_ALL, name)) {
      commaLocale = name;
      break;
    }
  }
  if (!commaLocale) GTEST_SKIP() << "no locale with a decimal comma is installed";
  metaTreeC* root = metaTreeC::createKeyNode("V");
  addNumberNode(root, 1.5);
  const std::string written = writeTree(root, false, true);
  readResultC r = read("V{2.25}");
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(written, "V{1.5}");
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(describeChain(r.tree.node()), "V(#2.25)");
  metaTreeC::destroyChain(root);
}

// ---------------------------------------------------------------------------
// Strings, escapes and raw strings.

TEST(TextReaderStrings, EscapesAreResolved) {
  readResultC r = read(R"("a\nb\rc\td\"e\\f\qg")");
  ASSERT_EQ(r.error, "");
  ASSERT_NE(r.tree.node(), nullptr);
  EXPECT_TRUE(r.tree.node()->value().isString());
  EXPECT_EQ(r.tree.node()->value().text().view(), "a\nb\rc\td\"e\\fqg");
}

TEST(TextReaderStrings, AQuoteAfterAPairedBackslashCloses) {
  // "a\\" is the text a\ ; the quote after the pair closes the string.
  EXPECT_EQ(readAndDescribe(R"("a\\" B)"), "'a\\' B");
  // "\"" is one quote.
  EXPECT_EQ(readAndDescribe(R"("\"")"), "'\"'");
}

TEST(TextReaderStrings, RawStringsKeepTheirBackslashes) {
  readResultC r = read(R"("a\nb\"c\\")", true);
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.tree.node()->value().text().view(), R"(a\nb\"c\\)");
}

TEST(TextReaderStrings, AnyCharacterMayStandInAString) {
  readResultC r = read("\"{};,\n\t x\"");
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.tree.node()->value().text().view(), "{};,\n\t x");
  EXPECT_EQ(readAndDescribe("\"\""), "''");
}

TEST(TextReaderStrings, EndOfInputInsideAStringFails) {
  EXPECT_EQ(errorOf("A \"abc"), "Line:1 - ill char in string");
  EXPECT_EQ(errorOf("A \"abc\\\""), "Line:1 - ill char in string");
  EXPECT_EQ(errorOf("A \"abc\\"), "Line:1 - ill char in string");
  // Line feeds inside the string are not counted.
  EXPECT_EQ(errorOf("A\n\"ab\nc\n"), "Line:2 - ill char in string");
}

// ---------------------------------------------------------------------------
// Line counting and tags.

TEST(TextReaderLines, EveryNodeIsTaggedWithItsLine) {
  readResultC r = read("A\nB{\n  C \"x\ny\" 7\n}\n\n  D");
  ASSERT_EQ(r.error, "");
  metaTreeC* a = r.tree.node();
  metaTreeC* b = a->next();
  metaTreeC* c = b->firstChild();
  metaTreeC* x = c->next();
  metaTreeC* seven = x->next();
  metaTreeC* d = b->next();
  EXPECT_EQ(a->value().tagLine(), 1);
  EXPECT_EQ(b->value().tagLine(), 2);
  EXPECT_EQ(c->value().tagLine(), 3);
  EXPECT_EQ(x->value().tagLine(), 3);
  // The line feed inside the string does not count.
  EXPECT_EQ(seven->value().tagLine(), 3);
  EXPECT_EQ(d->value().tagLine(), 6);
  for (metaTreeC* n : {a, b, c, x, seven, d}) EXPECT_EQ(n->value().tagExtra(), 0);
}

// Files with the line ends of any platform: CR LF, LF, and a lone CR.
TEST(TextReaderLines, ACarriageReturnEndsALineAndThePairEndsOne) {
  readResultC r = read("A\r\nB\rC\r\n\r\nD\r \nE");
  ASSERT_EQ(r.error, "");
  metaTreeC* a = r.tree.node();
  EXPECT_EQ(a->value().tagLine(), 1);
  EXPECT_EQ(a->next()->value().tagLine(), 2);
  EXPECT_EQ(a->next()->next()->value().tagLine(), 3);
  EXPECT_EQ(a->next()->next()->next()->value().tagLine(), 5);
  EXPECT_EQ(a->next()->next()->next()->next()->value().tagLine(), 7);
}

// ---------------------------------------------------------------------------
// Errors: each text with the line where reading stopped.

TEST(TextReaderErrors, UnbalancedSections) {
  EXPECT_EQ(errorOf("A}"), "Line:1 - section count wrong");
  EXPECT_EQ(errorOf("A{B}\n}"), "Line:2 - section count wrong");
  EXPECT_EQ(errorOf("A{B"), "Line:1 - section count wrong");
  // At the end of the input the counter stands after the trailing line feeds.
  EXPECT_EQ(errorOf("A{B\n\n"), "Line:3 - section count wrong");
}

TEST(TextReaderErrors, SectionWithoutKey) {
  EXPECT_EQ(errorOf("{A}"), "Line:1 - section without key found");
  EXPECT_EQ(errorOf("A{\n{B}}"), "Line:2 - section without key found");
}

TEST(TextReaderErrors, IllegalSeparator) {
  EXPECT_EQ(errorOf("A;B"), "Line:1 - ill seperator char");
  EXPECT_EQ(errorOf("\n\n\n\n\n\n\n\n\n\n\nA ; B"), "Line:12 - ill seperator char");
  EXPECT_EQ(errorOf("A ="), "Line:1 - ill seperator char");
  EXPECT_EQ(errorOf(std::string_view("A\0B", 3)), "Line:1 - ill seperator char");
  EXPECT_EQ(errorOf("A \xE4"), "Line:1 - ill seperator char");
  EXPECT_EQ(errorOf("A 'x'"), "Line:1 - ill seperator char");
}

TEST(TextReaderErrors, FailureDestroysThePartialTree) {
  memManCheckLeakC leaks;
  for (const char* text : {"A{B{C D}} E{F \"s\" 1}}", "A{B{C}", "A{B} {C}} ;", "A{B C 1x}"}) {
    metaTextReaderC reader;
    metaObjectC tree = reader.readTree(text, true);
    EXPECT_EQ(tree.node(), nullptr) << text;
    EXPECT_NE(reader.errorText(), "") << text;
  }
  EXPECT_EQ(leaks.leaked(), 0);
}

TEST(TextReaderErrors, ASourceThatCannotBeReadFailsTheRead) {
  memManCheckLeakC leaks;
  // Cut inside a number, a string and between elements: whatever the bytes
  // read so far would make, the read fails as unreadable.
  const std::string_view text = "A{B{12.5 \"xy\"}}\nC D";
  for (std::size_t failAt : {std::size_t{0}, std::size_t{7}, std::size_t{11}, std::size_t{16}}) {
    metaTextReaderC reader;
    reader.setBufferSize(4);
    pieceSourceC source{text, 2, failAt};
    metaObjectC tree = reader.readTree(&pieceSourceC::read, &source, true);
    EXPECT_EQ(tree.node(), nullptr) << failAt;
    EXPECT_EQ(reader.errorText(), failAt == 16 ? "Line:2 - read fail" : "Line:1 - read fail") << failAt;
  }
  EXPECT_EQ(leaks.leaked(), 0);
}

TEST(TextReaderErrors, ANewReadClearsTheError) {
  metaTextReaderC reader;
  metaObjectC bad = reader.readTree("A}", true);
  EXPECT_TRUE(reader.failed());
  EXPECT_EQ(reader.line(), 1);
  metaObjectC good = reader.readTree("A\nB", true);
  EXPECT_FALSE(reader.failed());
  EXPECT_EQ(reader.errorText(), "");
  EXPECT_NE(good.node(), nullptr);
  EXPECT_EQ(reader.line(), 2);
}

// ---------------------------------------------------------------------------
// The byte 0xFF ends the input.

TEST(TextReaderEndByte, EndsTheInput) {
  EXPECT_EQ(readAndDescribe("A B\xFF"), "A B");
  EXPECT_EQ(readAndDescribe("A{B}\xFF"), "A(B)");
  EXPECT_EQ(readAndDescribe("\xFF"), "");
}

TEST(TextReaderEndByte, InputLeftAfterItFailsAsEofFail) {
  EXPECT_EQ(errorOf("A\xFF B"), "Line:1 - eof fail");
  EXPECT_EQ(errorOf("A\n\xFF\n"), "Line:2 - eof fail");
}

TEST(TextReaderEndByte, InsideASectionOrStringItIsTheEndThere) {
  EXPECT_EQ(errorOf("A{B\xFF}"), "Line:1 - section count wrong");
  EXPECT_EQ(errorOf("A \"x\xFFy\""), "Line:1 - ill char in string");
  EXPECT_EQ(errorOf("A \"x\\\xFF\""), "Line:1 - ill char in string");
}

// ---------------------------------------------------------------------------
// Limits: nesting depth and long chains.

std::string nested(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "A{";
  text += "LEAF";
  text.append(static_cast<std::size_t>(depth), '}');
  return text;
}

TEST(TextReaderLimits, NestingAtTheLimitReadsCopiesWritesAndDestroys) {
  memManCheckLeakC leaks;
  {
    readResultC r = read(nested(metaTextReaderC::kMaxSectionDepth));
    ASSERT_EQ(r.error, "");
    int depth = 0;
    const metaTreeC* node = r.tree.node();
    while (node->firstChild()) {
      node = node->firstChild();
      ++depth;
    }
    EXPECT_EQ(depth, 1000);
    EXPECT_TRUE(node->hasKey("LEAF"));

    metaTreeC* copy = metaTreeC::copyChain(r.tree.node());
    int copyDepth = 0;
    for (const metaTreeC* n = copy; n->firstChild(); n = n->firstChild()) ++copyDepth;
    EXPECT_EQ(copyDepth, 1000);
    metaTreeC::destroyChain(copy);

    const std::string written = writeTree(r.tree.node(), false, false);
    EXPECT_EQ(written, nested(1000));
    const std::string pretty = writeTree(r.tree.node(), true, false);
    readResultC again = read(pretty);
    EXPECT_EQ(again.error, "");
    EXPECT_EQ(writeTree(again.tree.node(), false, false), nested(1000));
  }
  EXPECT_EQ(leaks.leaked(), 0);
}

TEST(TextReaderLimits, NestingAboveTheLimitFailsCleanly) {
  memManCheckLeakC leaks;
  EXPECT_EQ(errorOf(nested(1001)), "Line:1 - section nesting too deep");
  std::string lines;
  for (int i = 0; i < 1001; ++i) lines += "A{\n";
  EXPECT_EQ(errorOf(lines), "Line:1001 - section nesting too deep");
  // Hostile input: far more open braces than any stack would take.
  std::string hostile;
  for (int i = 0; i < 200000; ++i) hostile += "A{";
  EXPECT_EQ(errorOf(hostile), "Line:1 - section nesting too deep");
  EXPECT_EQ(leaks.leaked(), 0);
}

TEST(TextReaderLimits, AMillionSiblings) {
  memManCheckLeakC leaks;
  {
    std::string text = "P{";
    for (int i = 0; i < 1000000; ++i) text += "K,";
    text += "1}";
    readResultC r = read(text);
    ASSERT_EQ(r.error, "");
    std::size_t count = 0;
    const metaTreeC* last = nullptr;
    for (const metaTreeC* n = r.tree.node()->firstChild(); n; n = n->next()) {
      ++count;
      last = n;
    }
    EXPECT_EQ(count, 1000001u);
    EXPECT_TRUE(last->value().isNumber());
    EXPECT_EQ(last->parent(), r.tree.node());

    std::string expected = "P{";
    for (int i = 0; i < 1000000; ++i) expected += "K,";
    expected += "1}";
    EXPECT_EQ(writeTree(r.tree.node(), false, false), expected);

    std::string top;
    for (int i = 0; i < 1000000; ++i) top += "\"s\" ";
    readResultC chain = read(top);
    ASSERT_EQ(chain.error, "");
    std::size_t topCount = 0;
    for (const metaTreeC* n = chain.tree.node(); n; n = n->next()) ++topCount;
    EXPECT_EQ(topCount, 1000000u);
  }
  EXPECT_EQ(leaks.leaked(), 0);
}

// ---------------------------------------------------------------------------
// Writing: layout.

// INFO with NAME -> "X" and SIZE -> 4.
metaTreeC* makeInfo() {
  metaTreeC* info = metaTreeC::createKeyNode("INFO");
  metaObjectC(addKey(info, "NAME")).setString("X");
  metaObjectC(addKey(info, "SIZE")).setDouble(4);
  return info;
}

TEST(TextWriterLayout, CompactHasNoBreaksAndCommasOnlyBetweenLeaves) {
  metaTreeC* info = makeInfo();
  EXPECT_EQ(writeTree(info, false, false), "INFO{NAME{\"X\"}SIZE{4}}");
  metaTreeC* point = metaTreeC::createKeyNode("POINT");
  addNumberNode(point, 1.5);
  addNumberNode(point, 2.25);
  addKey(point, "K");
  EXPECT_EQ(writeTree(point, false, false), "POINT{1.5,2.25,K}");
  metaTreeC::destroyChain(info);
  metaTreeC::destroyChain(point);
}

TEST(TextWriterLayout, ALeafAfterASectionGetsNoComma) {
  metaTreeC* a = metaTreeC::createKeyNode("A");
  addKey(a, "B");
  metaTreeC::insertAfter(metaTreeC::createKeyNode("C"), a);
  metaTreeC::insertAfter(metaTreeC::createKeyNode("D"), a->next());
  EXPECT_EQ(writeTree(a, false, false), "A{B}C,D");
  metaTreeC::destroyChain(a);
}

TEST(TextWriterLayout, PrettyIndentsWithOneTabPerLevel) {
  // DRAWING{NAME{"D"} FIGURE{POINT{1.5,2.25} ROT{0}}} END X
  metaTreeC* drawing = metaTreeC::createKeyNode("DRAWING");
  metaObjectC(addKey(drawing, "NAME")).setString("D");
  metaTreeC* figure = addKey(drawing, "FIGURE");
  metaTreeC* point = addKey(figure, "POINT");
  addNumberNode(point, 1.5);
  addNumberNode(point, 2.25);
  metaObjectC(addKey(figure, "ROT")).setDouble(0);
  metaTreeC::insertAfter(metaTreeC::createKeyNode("END"), drawing);
  metaTreeC::insertAfter(metaTreeC::createKeyNode("X"), drawing->next());

  const std::string expected =
      "DRAWING{\n"
      "\tNAME{\n"
      "\t\t\"D\"\n"
      "\t}\n"
      "\tFIGURE{\n"
      "\t\tPOINT{\n"
      "\t\t\t1.5,2.25\n"
      "\t\t}\n"
      "\t\tROT{\n"
      "\t\t\t0\n"
      "\t\t}\n"
      "\t}\n"
      "}\n"
      "END,X";
  EXPECT_EQ(writeTree(drawing, true, false), expected);
  EXPECT_EQ(writeTree(drawing, false, false), "DRAWING{NAME{\"D\"}FIGURE{POINT{1.5,2.25}ROT{0}}}END,X");
  metaTreeC::destroyChain(drawing);
}

TEST(TextWriterLayout, PrettyInfoExample) {
  metaTreeC* info = makeInfo();
  EXPECT_EQ(writeTree(info, true, false), "INFO{\n\tNAME{\n\t\t\"X\"\n\t}\n\tSIZE{\n\t\t4\n\t}\n}");
  metaTreeC::destroyChain(info);
}

TEST(TextWriterLayout, FirstOnlyLeavesOutTheFollowingSiblings) {
  metaTreeC* info = makeInfo();
  metaTreeC::insertAfter(metaTreeC::createKeyNode("NEXT"), info);
  EXPECT_EQ(writeTree(info, false, true), "INFO{NAME{\"X\"}SIZE{4}}");
  EXPECT_EQ(writeTree(info, false, false), "INFO{NAME{\"X\"}SIZE{4}}NEXT");
  // The siblings inside are written all the same.
  EXPECT_EQ(writeTree(info->firstChild(), false, true), "NAME{\"X\"}");
  EXPECT_EQ(writeTree(info->firstChild(), false, false), "NAME{\"X\"}SIZE{4}");
  metaTreeC::destroyChain(info);
}

TEST(TextWriterLayout, WritingAppendsToTheCallersText) {
  metaTreeC* info = makeInfo();
  std::string out = "head:";
  writeTree(info, false, true, out);
  EXPECT_EQ(out, "head:INFO{NAME{\"X\"}SIZE{4}}");
  metaTreeC::destroyChain(info);
}

TEST(TextWriterLayout, NothingToWriteForANullNodeOrOtherKinds) {
  EXPECT_EQ(writeTree(nullptr, true, false), "");
  metaTreeC* a = metaTreeC::createKeyNode("A");
  metaTreeC::insertAfter(metaTreeC::createValueNode(metaValueC()), a);
  metaTreeC::insertAfter(metaTreeC::createKeyNode("B"), a->next());
  EXPECT_EQ(writeTree(a, false, false), "A,,B");
  metaTreeC::destroyChain(a);
}

TEST(TextWriterLayout, WritingLeavesTheTreeAsItWas) {
  metaTreeC* info = makeInfo();
  const std::uint32_t before = metaTreeChangeCount;
  writeTree(info, true, false);
  EXPECT_EQ(metaTreeChangeCount, before);
  EXPECT_EQ(describeChain(info), "INFO(NAME('X') SIZE(#4))");
  metaTreeC::destroyChain(info);
}

// ---------------------------------------------------------------------------
// Writing: strings and numbers.

TEST(TextWriterValues, StringsAreEscaped) {
  metaTreeC* s = metaTreeC::createKeyNode("S");
  addStringNode(s, "a\tb\nc\rd\"e\\f{};,");
  EXPECT_EQ(writeTree(s, false, false), "S{\"a\\tb\\nc\\rd\\\"e\\\\f{};,\"}");
  metaTreeC::destroyChain(s);
}

TEST(TextWriterValues, NumbersLookLikePrintfG14) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {4, "4"},
      {1.5, "1.5"},
      {-2.25, "-2.25"},
      {0.1, "0.1"},
      {1.0 / 3.0, "0.33333333333333"},
      {2.0 / 3.0, "0.66666666666667"},
      {1e6, "1000000"},
      {12345678901234.0, "12345678901234"},
      {123456789012345.0, "1.2345678901234e+14"},
      {1e14, "1e+14"},
      {0.0001, "0.0001"},
      {0.00001, "1e-05"},
      {1.5e-7, "1.5e-07"},
      {1e100, "1e+100"},
      {-1.25e-300, "-1.25e-300"},
      {0.0, "0"},
      {-0.0, "-0"},
      {99999999999999.5, "1e+14"},
      {99999999999999.0, "99999999999999"},
      {0.00012345678901234, "0.00012345678901234"},
      {0.1 + 0.2, "0.3"},
      {123.456, "123.456"},
      {-1000, "-1000"},
      {5e-5, "5e-05"},
      {0.0001234567890123456, "0.00012345678901235"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatted(c.value), c.text) << c.text;
}
// Exact numbers read back as the very doubles written, which 14 digits
// cannot all tell apart; the fewest digits that do so are written.
TEST(TextWriterValues, ExactNumbersReadBackAsTheSameDoubles) {
  const double values[] = {0.1 + 0.2, 1.0 / 3.0, 123456789012345.67, 5e-324, -1.7976931348623157e308, 0.1, -0.0};
  metaObjectC tree = metaObjectVirtualDataBaseC::createTree("V", true);
  for (double v : values) addNumberNode(tree.node(), v);
  std::string text;
  writeTree(tree.node(), false, true, text, textNumberForm::exact);
  EXPECT_EQ(text, "V{0.30000000000000004,0.3333333333333333,123456789012345.67,5e-324,-1.7976931348623157e+308,0.1,-0}");
  readResultC r = read(text);
  ASSERT_EQ(r.error, "");
  std::size_t i = 0;
  for (const metaTreeC* n = r.tree.node()->firstChild(); n; n = n->next(), ++i) {
    ASSERT_LT(i, std::size(values));
    const double read = n->value().number();
    EXPECT_EQ(std::memcmp(&values[i], &read, sizeof read), 0) << text;
  }
  EXPECT_EQ(i, std::size(values));
}

TEST(TextWriterValues, NumbersMatchPrintfOnManyValues) {
  // This test process runs in the "C" locale, where printf is the reference.
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-320, 308);
  std::uniform_int_distribution<int> digits(1, 17);
  int compared = 0;
  for (int i = 0; i < 200000; ++i) {
    double value;
    switch (i % 3) {
      case 0: {
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        break;
      }
      case 1: value = mantissa(random) * std::pow(10.0, exponent(random)); break;
      default: {
        // Short decimals like those of drawings, rounded to a few digits.
        char text[64];
        std::snprintf(text, sizeof text, "%.*g", digits(random), mantissa(random) * 1000.0);
        value = std::strtod(text, nullptr);
        break;
      }
    }
    if (!std::isfinite(value)) continue;
    ASSERT_EQ(formatted(value), printfG14(value)) << "bits of " << printfG14(value);
    ++compared;
  }
  EXPECT_GT(compared, 190000);
}

TEST(TextWriterValues, NanAndInfinitiesCarryTheirSign) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(formatted(inf), "+inf");
  EXPECT_EQ(formatted(-inf), "-inf");
  EXPECT_EQ(formatted(nan), "+nan");
  EXPECT_EQ(formatted(-nan), "-nan");
}

// ---------------------------------------------------------------------------
// Round trips: what is written reads back into an equal tree.

TEST(TextRoundTrip, KeysStringsAndNumbersGiveAnEqualTree) {
  metaTreeC* drawing = metaTreeC::createKeyNode("DRAWING");
  metaObjectC(addKey(drawing, "NAME")).setString("Part \"7\"\tA\\B\r\nnext line");
  metaTreeC* items = addKey(drawing, "DRAWINGITEMS");
  metaTreeC* line = addKey(items, "LINE");
  metaTreeC* p1 = addKey(line, "POINT");
  addNumberNode(p1, 1.5);
  addNumberNode(p1, -2.25);
  metaTreeC* p2 = addKey(line, "POINT");
  addNumberNode(p2, 1e-7);
  addNumberNode(p2, 123456.78901234);
  addKey(items, "EMPTY");
  metaObjectC(addKey(items, "TEXT")).setString("");
  metaTreeC::insertAfter(metaTreeC::createKeyNode("SECOND"), drawing);

  const std::string description = describeChain(drawing);
  for (bool pretty : {false, true}) {
    readResultC r = read(writeTree(drawing, pretty, false));
    ASSERT_EQ(r.error, "") << pretty;
    EXPECT_EQ(describeChain(r.tree.node()), description) << pretty;
  }
  metaTreeC::destroyChain(drawing);
}

TEST(TextRoundTrip, FourteenSignificantDigitsSurvive) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-300, 300);
  metaTreeC* values = metaTreeC::createKeyNode("V");
  std::vector<double> expected;
  for (int i = 0; i < 5000; ++i) {
    // A value with exactly 14 significant digits, as printf rounds it.
    char text[64];
    std::snprintf(text, sizeof text, "%.13e", (i % 2 ? -1.0 : 1.0) * mantissa(random) * std::pow(10.0, exponent(random)));
    const double value = std::strtod(text, nullptr);
    expected.push_back(value);
    addNumberNode(values, value);
  }
  for (double edge : {0.0, -0.0, 1.0, 0.1, 1e-320, 12345678901234.0, 1.7976931348623e308}) {
    expected.push_back(edge);
    addNumberNode(values, edge);
  }
  readResultC r = read(writeTree(values, false, false));
  ASSERT_EQ(r.error, "");
  std::size_t i = 0;
  for (const metaTreeC* n = r.tree.node()->firstChild(); n; n = n->next(), ++i) {
    ASSERT_LT(i, expected.size());
    ASSERT_TRUE(n->value().isNumber());
    EXPECT_EQ(n->value().number(), expected[i]) << printfG14(expected[i]);
    EXPECT_EQ(std::signbit(n->value().number()), std::signbit(expected[i]));
  }
  EXPECT_EQ(i, expected.size());
  metaTreeC::destroyChain(values);
}

TEST(TextRoundTrip, NanAndInfinitiesReadBackAsNumbers) {
  metaTreeC* v = metaTreeC::createKeyNode("V");
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double x : {inf, -inf, nan, -nan}) addNumberNode(v, x);
  const std::string text = writeTree(v, false, false);
  EXPECT_EQ(text, "V{+inf,-inf,+nan,-nan}");
  readResultC r = read(text);
  ASSERT_EQ(r.error, "");
  const metaTreeC* n = r.tree.node()->firstChild();
  EXPECT_EQ(n->value().number(), inf);
  EXPECT_EQ(n->next()->value().number(), -inf);
  EXPECT_TRUE(std::isnan(n->next()->next()->value().number()));
  EXPECT_FALSE(std::signbit(n->next()->next()->value().number()));
  EXPECT_TRUE(std::signbit(n->next()->next()->next()->value().number()));
  metaTreeC::destroyChain(v);
}

TEST(TextRoundTrip, StringsWithEveryEscapeSurvive) {
  metaTreeC* s = metaTreeC::createKeyNode("S");
  const std::string text = "\\\"\t\n\r\\\\\"x\\";
  addStringNode(s, text);
  readResultC r = read(writeTree(s, true, false));
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.tree.node()->firstChild()->value().text().view(), text);
  metaTreeC::destroyChain(s);
}

// ---------------------------------------------------------------------------
// Writing to a sink: the text goes out in pieces as it is written.

struct collectingSinkC final : textSinkC {
  std::vector<std::string> pieces;
  void write(std::string_view piece) override { pieces.emplace_back(piece); }
  std::string joined() const {
    std::string text;
    for (const std::string& piece : pieces) text += piece;
    return text;
  }
};

TEST(TextWriterSink, ALongTextArrivesInSeveralPiecesThatJoinToIt) {
  metaTreeC* p = metaTreeC::createKeyNode("P");
  std::string expected = "P{\n\tKEY";
  metaTreeC* last = addKey(p, "KEY");
  for (int i = 1; i < 100000; ++i) {
    metaTreeC::insertAfter(metaTreeC::createKeyNode("KEY"), last);
    last = last->next();
    expected += ",KEY";
  }
  expected += "\n}";
  collectingSinkC sink;
  writeTree(p, true, true, textNumberForm::fourteenDigits, sink);
  EXPECT_GT(sink.pieces.size(), 1u);
  EXPECT_EQ(sink.joined(), expected);
  metaTreeC::destroyChain(p);
}

TEST(TextWriterSink, AReferenceIsWrittenAsItsPositionAndTheTreeKeepsItsAddress) {
  // DRAWING(1){FIGURE(2){LINE(3)} MOREF -> LINE} NEXT: position 3 is "0M0000".
  metaObjectC drawing = metaObjectVirtualDataBaseC::createTree("DRAWING", true);
  metaTreeC* line = addKey(drawing.addChild("FIGURE"), "LINE");
  metaObjectRefC reference = metaObjectRefC::create(line);
  drawing.appendChildren(reference.node(), false);
  metaTreeC::insertAfter(metaTreeC::createKeyNode("NEXT"), drawing.node());
  collectingSinkC sink;
  writeTree(drawing.node(), false, false, textNumberForm::fourteenDigits, sink);
  EXPECT_EQ(sink.joined(), "DRAWING{FIGURE{LINE}MOREF{REFTRGPTR{CODE{0}SIZE{4}DATA{\"0M0000\"}}}}NEXT");
  EXPECT_EQ(reference.getTarget(), line);
}

// ---------------------------------------------------------------------------
// References: targets are written as position numbers and read back as nodes.

TEST(TextReferences, ATargetSurvivesWriteAndRead) {
  memManCheckLeakC leaks;
  {
    // DRAWING(1){FIGURE(2){LINE(3){POINT(4){1(5),2(6)}}} MOREF -> LINE}
    metaObjectC drawing = metaObjectVirtualDataBaseC::createTree("DRAWING", true);
    metaTreeC* figure = drawing.addChild("FIGURE");
    metaTreeC* line = addKey(figure, "LINE");
    metaTreeC* point = addKey(line, "POINT");
    addNumberNode(point, 1);
    addNumberNode(point, 2);
    metaObjectRefC reference = metaObjectRefC::create(line);
    drawing.appendChildren(reference.node(), false);

    const std::string text = writeTree(drawing.node(), false, false);
    // Position 3 as four bytes 03 00 00 00: 000000 110000 000000 ... = "0M0000".
    EXPECT_EQ(text,
              "DRAWING{FIGURE{LINE{POINT{1,2}}}MOREF{REFTRGPTR{CODE{0}SIZE{4}DATA{\"0M0000\"}}}}");
    // The written tree keeps its address.
    EXPECT_EQ(reference.getTarget(), line);

    readResultC r = read(text);
    ASSERT_EQ(r.error, "");
    metaTreeC* readLine = r.tree.node()->firstChild()->firstChild();
    ASSERT_TRUE(readLine->hasKey("LINE"));
    metaTreeC* readReference = r.tree.node()->firstChild()->next();
    ASSERT_TRUE(readReference->hasKey("MOREF"));
    EXPECT_EQ(metaObjectRefC(readReference).getTarget(), readLine);
  }
  EXPECT_EQ(leaks.leaked(), 0);
}

// Reading writes the address into the attribute that held the position; the
// node it names there must be the one that stays.
TEST(TextReferences, AReferenceToItsOwnDataNodeSurvivesReadAndWrite) {
  // HOLDER(1){MOREF(2){REFTRGPTR(3){CODE(4){0} SIZE(6){4} DATA(8){...}}}}:
  // position 8 is 08 00 00 00 = 000010 000000 ... = "200000".
  const std::string text = "HOLDER{MOREF{REFTRGPTR{CODE{0}SIZE{4}DATA{\"200000\"}}}}";
  readResultC r = read(text);
  ASSERT_EQ(r.error, "");
  metaObjectC attribute(metaObjectC(r.tree.node()->firstChild()).findChild("REFTRGPTR"));
  EXPECT_EQ(metaObjectRefC(r.tree.node()->firstChild()).getTarget(), attribute.findChild("DATA"));
  EXPECT_EQ(writeTree(r.tree.node(), false, false), text);
}

TEST(TextReferences, ATargetOutsideTheWrittenChainReadsAsNone) {
  metaObjectC elsewhere = metaObjectVirtualDataBaseC::createTree("ELSEWHERE", true);
  metaObjectC holder = metaObjectVirtualDataBaseC::createTree("HOLDER", true);
  holder.appendChildren(metaObjectRefC::create(elsewhere.node()).node(), false);
  const std::string text = writeTree(holder.node(), false, false);
  EXPECT_EQ(text, "HOLDER{MOREF{REFTRGPTR{CODE{0}SIZE{4}DATA{\"000000\"}}}}");
  readResultC r = read(text);
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(metaObjectRefC(r.tree.node()->firstChild()).getTarget(), nullptr);
}

TEST(TextReferences, AppendingKeepsWhatTheCallerHad) {
  metaObjectC a = metaObjectVirtualDataBaseC::createTree("A", true);
  metaTreeC* b = addKey(a.node(), "B");
  a.appendChildren(metaObjectRefC::create(b).node(), false);
  std::string out = "X";
  writeTree(a.node(), false, false, out);
  // A(1){B(2) MOREF(3){...}}: position 2 is 02 00 00 00 = 000000 100000 0...
  EXPECT_EQ(out, "XA{B,MOREF{REFTRGPTR{CODE{0}SIZE{4}DATA{\"0w0000\"}}}}");
}

TEST(TextReferences, AReferenceWithoutTargetIsStoredAsMinusOne) {
  metaObjectC holder = metaObjectVirtualDataBaseC::createTree("HOLDER", true);
  holder.appendChildren(metaObjectRefC::create(nullptr).node(), false);
  // -1 as four bytes FF FF FF FF: five groups 111111 and 11 filled up to 110000.
  const std::string text = writeTree(holder.node(), false, false);
  EXPECT_EQ(text, "HOLDER{MOREF{REFTRGPTR{CODE{0}SIZE{4}DATA{\";;;;;M\"}}}}");
  readResultC r = read(text);
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(metaObjectRefC(r.tree.node()->firstChild()).getTarget(), nullptr);
}

TEST(TextReferences, AReferenceToALaterSiblingSurvives) {
  // A{MOREF{REFTRGPTR{CODE{0}SIZE{4}DATA{"..."}}}} B: the target follows its reference.
  metaObjectC a = metaObjectVirtualDataBaseC::createTree("A", true);
  metaTreeC* b = metaTreeC::createKeyNode("B");
  metaTreeC::insertAfter(b, a.node());
  a.appendChildren(metaObjectRefC::create(b).node(), false);
  readResultC r = read(writeTree(a.node(), true, false));
  ASSERT_EQ(r.error, "");
  metaTreeC* readB = r.tree.node()->next();
  ASSERT_TRUE(readB->hasKey("B"));
  EXPECT_EQ(metaObjectRefC(r.tree.node()->firstChild()).getTarget(), readB);
}

}  // namespace
}  // namespace lorvane
