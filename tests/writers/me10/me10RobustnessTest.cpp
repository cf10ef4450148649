// Inputs no sensible drawing has: every one still ends in a complete file,
// and nothing that the file cannot say is made up.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "me10TestSupport.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane::me10test {
namespace {

bool isComplete(const std::string& file) {
  return file.rfind("#~2\r\n2\r\nTC41:1\r\n", 0) == 0 && file.size() >= 6 &&
         file.compare(file.size() - 6, 6, "##~~\r\n") == 0;
}

std::size_t count(const std::string& file, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = file.find(what); at != std::string::npos; at = file.find(what, at + 1)) ++n;
  return n;
}

// Numbers the text form cannot hold are put in before the conversion: 111
// becomes NaN, 222 infinity and 333 minus infinity, wherever they stand.
void replaceMarkers(metaTreeC* node) {
  for (; node; node = node->next()) {
    metaValueC& value = node->value();
    if (value.isNumber()) {
      if (value.number() == 111) value.setNumber(std::numeric_limits<double>::quiet_NaN());
      if (value.number() == 222) value.setNumber(std::numeric_limits<double>::infinity());
      if (value.number() == 333) value.setNumber(-std::numeric_limits<double>::infinity());
    }
    replaceMarkers(node->firstChild());
  }
}


TEST(ME10Robustness, NanAndInfiniteCoordinatesAreWrittenAndNeverShared) {
  conversionC c(R"(FIGURE{NAME{"N"} FIGURITEMS{
      LINE{POINT{111,0} POINT{222,0}}
      LINE{POINT{111,0} POINT{222,0}}
      LINE{POINT{0,333} POINT{0,333}}}})",
                scratchPath("me10_marked.mi"), "MI", &replaceMarkers);
  ASSERT_TRUE(isComplete(c.file));
  // Even a rotation by 0 multiplies: 0 times an infinite coordinate makes
  // the other coordinate NaN, so (inf, 0) becomes (inf, nan) and (0, -inf)
  // becomes (nan, -inf).
  EXPECT_TRUE(c.file.find(crlfLines({"#~61", "P", "4", "nan", "nan", "|~", "P", "5", "inf", "nan", "|~",
                                 "P", "6", "nan", "nan", "|~", "P", "7", "inf", "nan", "|~",
                                 "P", "8", "nan", "-inf", "|~", "P", "9", "nan", "-inf", "|~", "#~62"})) !=
              std::string::npos)
      << c.file;
  EXPECT_TRUE(c.file.find(crlfLines({"LIN", "10", "7", "0", "1.000", "0", "1", "2", "4", "5", "|~",
                                 "LIN", "11", "7", "0", "1.000", "0", "1", "2", "6", "7", "|~",
                                 "LIN", "12", "7", "0", "1.000", "0", "1", "2", "8", "9", "|~"})) != std::string::npos);
}

TEST(ME10Robustness, ARotationThatIsNotANumberStillWritesTheFile) {
  conversionC c(R"(FIGURE{NAME{"R"} INSERTPOINT{POINT{222,111} ROTATION{111}} FIGURITEMS{
      LINE{POINT{1,0} POINT{2,0}} ARC{POINT{1,0} POINT{0,1} POINT{-1,0}} CIRCLE{POINT{0,0} RAD{1}}
      TEXT{POINT{0,0} TEXT{"t"} ANGLE{222}} ELLIPSE{POINT{0,0} RAD1{2} RAD2{1}}}})",
                scratchPath("me10_marked.mi"), "MI", &replaceMarkers);
  EXPECT_TRUE(isComplete(c.file));
  EXPECT_EQ(c.resultText(), "Figur R`~1: Zahl im Satz ASSE nicht darstellbar!");
}

TEST(ME10Robustness, ShapesWithoutTheirDataReadAsTheOrigin) {
  conversionC c(R"(FIGURE{NAME{"M"} FIGURITEMS{LINE ARC CIRCLE TEXT SHAPEATTR ELLIPSE ELLIPSEARC ICRV2D SPOINT}})");
  ASSERT_TRUE(isComplete(c.file));
  // The line, the collinear arc and the circle of radius 0 all meet at the origin.
  EXPECT_TRUE(c.file.find("\r\n#~61\r\nP\r\n4\r\n0\r\n0\r\n|~\r\n#~62\r\n") != std::string::npos) << c.file;
  EXPECT_EQ(count(c.file, "\r\nTEX\r\n"), 1u);
}

TEST(ME10Robustness, WrongKindsReadAsDefaults) {
  conversionC c(R"(DRAWING{NAME{12} SETTINGS{"text"}
      DRAWINGITEMS{"a string" 42 FIGURE{NAME{7} SETTINGS{ME10SETTINGS{ME10LAYERLIST{"x"} ME10LCOLORLIST{ME10LCOLOR{"red"}}}}
        INSERTPOINT{POINT{1,2,3} ROTATION{"ninety"}}
        FIGURITEMS{"loose" 5 SHAPEATTR{METALINETYPE{"2"} COSMETIC{1e300}}
                   LINE{POINT{"a","b"} POINT{1}} CIRCLE{POINT{1,1} RAD{"r"}}
                   TEXT{POINT{0,0} TEXT{5} HEIGHT{"h"} TEXTRELPOS{"1"}}}}}})");
  ASSERT_TRUE(isComplete(c.file));
  // An unnamed figure of a drawing whose name reads as "".
  EXPECT_TRUE(c.file.find("\r\n_0`~1\r\n") != std::string::npos);
  // Colour 0 from the string, line type 0 from the string, cosmetic not 1;
  // the line's points read as the origin, the circle's radius as 0.
  EXPECT_TRUE(c.file.find(crlfLines({"LIN", "6", "0", "0", "1.000", "0", "1", "2", "4", "4", "|~",
                                 "CIR", "7", "0", "0", "1.000", "0", "1", "2", "5", "5", "|~"})) != std::string::npos)
      << c.file;
}

TEST(ME10Robustness, DegenerateAndHugeShapes) {
  conversionC c(R"(FIGURE{NAME{"H"} FIGURITEMS{
      ARC{POINT{0,0} POINT{0,0} POINT{0,0}}
      ARC{POINT{1,1} POINT{2,2} POINT{3,3}}
      CIRCLE{POINT{1e308,1e308} RAD{1e308}}
      ELLIPSE{POINT{0,0} RAD1{0} RAD2{0}}
      ELLIPSE{POINT{0,0} RAD1{1e300} RAD2{1e-300} ANGLE{1e300}}
      ELLIPSEARC{POINT{0,0} RAD1{1} RAD2{1} ANGLE1{-1e9} ANGLE2{1e9}}
      ICRV2D{POINT{0,0}}
      TEXT{POINT{0,0} TEXT{"x"} HEIGHT{1e308} ANGLE{1e308} TEXTRELPOS{1e20}}}})");
  EXPECT_TRUE(isComplete(c.file));
}

TEST(ME10Robustness, LongListsAndManyFigures) {
  std::string drawing = R"(DRAWING{NAME{"Big"} SETTINGS{ME10SETTINGS{ME10LAYERLIST{)";
  for (int i = 0; i < 20000; ++i) drawing += "ME10LAYER{\"L" + std::to_string(i) + "\"}";
  drawing += "}}} DRAWINGITEMS{";
  for (int i = 0; i < 5000; ++i) drawing += R"(FIGURE{NAME{"e"}})";
  drawing += R"(FIGURE{NAME{"last"} FIGURITEMS{TEXT{POINT{0,0} TEXT{")";
  for (int i = 0; i < 20000; ++i) drawing += "\\n";
  drawing += R"(x"}}}})";
  drawing += "}}";
  conversionC c(drawing.c_str());
  ASSERT_TRUE(isComplete(c.file));
  // The empty figures are pruned; the text has 20000 empty lines and "x".
  EXPECT_TRUE(c.file.find("\r\nlast`~5001\r\n2\r\nTC72:") != std::string::npos);
  EXPECT_EQ(count(c.file, "\r\n`"), 0u);
  EXPECT_TRUE(c.file.find("\r\n20001\r\n\r\n0\r\n") != std::string::npos);
}

TEST(ME10Robustness, TheFirstInputNodeMayBeAValue) {
  conversionC c(R"("DRAWING")");
  EXPECT_EQ(c.resultText(), "Fehler in der Metadatei!");
  EXPECT_TRUE(isComplete(c.file));
}

TEST(ME10Robustness, ZeroBytesEndANameAsInACString) {
  // The text form cannot hold a zero byte; the name is changed afterwards.
  conversionC c(R"(FIGURE{NAME{"A"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}})", scratchPath("me10_zero.mi"), "MI",
                [](metaTreeC* figure) {
                  metaObjectC(metaObjectC(figure).findChild("NAME")).setString(std::string_view("A\0B", 3));
                });
  EXPECT_TRUE(c.file.find("\r\nTC5:3\r\nA\r\n3\r\n") != std::string::npos) << c.file;
}

}  // namespace
}  // namespace lorvane::me10test
