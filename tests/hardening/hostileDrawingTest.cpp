// Drawings no sensible host sends: each converts to both formats without a
// crash, the call returns 1, and missing or ill-kinded members take their
// defaults ("", 0, 0.0, (0, 0)) instead of failing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "failingHeap.h"
#include "hardeningSupport.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/metaTree.h"
#include "lorvane/util/fileContents.h"

namespace lorvane::hardening {
namespace {

void noProgress(double, const char*) {}

std::string crlf(std::initializer_list<const char*> texts) {
  std::string out;
  for (const char* t : texts) out += std::string(t) + "\r\n";
  return out;
}

bool completeMi(const std::string& file) {
  return file.rfind("#~2\r\n2\r\nTC41:1\r\n", 0) == 0 && file.size() >= 6 &&
         file.compare(file.size() - 6, 6, "##~~\r\n") == 0;
}

// Numbers the text form cannot hold are put in before the conversion: 111
// becomes NaN, 222 infinity and 333 minus infinity, wherever they stand.
void replaceMarkers(metaTreeC* root) {
  for (metaTreeC* node = root; node;) {
    metaValueC& value = node->value();
    if (value.isNumber()) {
      if (value.number() == 111) value.setNumber(std::numeric_limits<double>::quiet_NaN());
      if (value.number() == 222) value.setNumber(std::numeric_limits<double>::infinity());
      if (value.number() == 333) value.setNumber(-std::numeric_limits<double>::infinity());
    }
    if (node->firstChild()) {
      node = node->firstChild();
      continue;
    }
    while (node && !node->next()) node = node->parent();
    if (node) node = node->next();
  }
}

struct hostileCaseC {
  const char* name;
  std::string drawing;                 // text form; empty: INPUTDATA without children
  std::string meta2dExpected;          // whole META2D file; empty: only "ends with EOF"
  const char* restext = nullptr;       // RESTEXT both writers leave; null: none
  const char* meta2dReport = nullptr;  // RESTEXT beside a complete META2D file; null: none
  const char* miReport = nullptr;      // the same for the MI file
  std::function<metaTreeC*()> build;   // builds the drawing instead of the text
};

void PrintTo(const hostileCaseC& c, std::ostream* os) { *os << c.name; }

struct resultC {
  std::string file;
  std::string restext;
  bool hasRestext = false;
  metaObjectC request;
};

resultC convert(const hostileCaseC& c, const char* format) {
  const std::string path = scratchPath(std::string("hostile.") + format);
  std::remove(path.c_str());
  resultC r;
  r.request = c.build ? conversionRequest(c.build(), format, path) : conversionRequest(c.drawing, format, path);
  if (metaTreeC* input = r.request.findChild("INPUTDATA")) replaceMarkers(input->firstChild());
  EXPECT_EQ(convertRequest(r.request.node(), &noProgress), 1);
  EXPECT_EQ(treeLinkFault(r.request.node()), "");
  r.hasRestext = hasResultText(r.request);
  r.restext = resultText(r.request);
  r.file = readFileBytes(path);
  std::remove(path.c_str());
  return r;
}

hostileCaseC row(const char* name, std::string drawing, std::string expected, const char* restext = nullptr,
                 std::function<metaTreeC*()> build = {}) {
  return hostileCaseC{name, std::move(drawing), std::move(expected), restext, nullptr, nullptr, std::move(build)};
}

const std::string kZero = "0.0000000000000000000000 ";

std::vector<hostileCaseC> hostileCases() {
  std::vector<hostileCaseC> cases;
  cases.push_back(row("NanAndInfiniteCoordinates",
                   R"(FIGURE{NAME{"N"} ANSICHTNO{-1} INSERTPOINT{POINT{111,222} ROTATION{333}}
                      FIGURITEMS{LINE{POINT{111,0} POINT{222,333}} ARC{POINT{111,0} POINT{1,1} POINT{2,0}}
                      CIRCLE{POINT{222,0} RAD{111}} TEXT{POINT{333,111} TEXT{"t"} HEIGHT{222} ANGLE{111}}
                      ELLIPSE{POINT{0,0} RAD1{111} RAD2{222} ANGLE{333}}
                      ELLIPSEARC{POINT{0,0} RAD1{1} RAD2{1} ANGLE1{111} ANGLE2{222}}
                      ICRV2D{POINT{0,0} POINT{111,111} POINT{222,0}}}})",
                   ""));
  cases.back().meta2dReport = "Figur N: Zahl im Satz 100 nicht darstellbar!";
  cases.back().miReport = "Figur N`~1: Zahl im Satz ASSE nicht darstellbar!";
  cases.push_back(row("StringsWhereNumbersGo",
                   R"(FIGURE{NAME{"S"} ANSICHTNO{"1"} INSERTPOINT{POINT{"a","b"} ROTATION{"90"}}
                      FIGURITEMS{SHAPEATTR{SHAPEWIDTH{"2"} SHAPETYP{"4"} METALINETYPE{"x"} COSMETIC{"1"}}
                      LINE{POINT{"0","0"} POINT{1,"1"}} CIRCLE{POINT{0,0} RAD{"5"}}}})",
                   crlf({"915 S", "914 S", "918 0_S", "511 S", "900 0  ", "901 0  ",
                         ("100 " + kZero + kZero + kZero + kZero).c_str(),
                         ("200 " + kZero + kZero + kZero).c_str(), "EOF"})));
  cases.push_back(row("NumbersWhereStringsGo",
                   R"(DRAWING{NAME{12} DRAWINGITEMS{FIGURE{NAME{7} SHORTNAME{8} MIDENT{9} GROUP{1}
                      CUTOUT{HIDDEN{1} DASH{2}} FIGURITEMS{TEXT{POINT{0,0} TEXT{5}}}}}})",
                   crlf({"915 ", "914 ", "918 0_", "511 ",
                         ("500 " + kZero + kZero + kZero + kZero).c_str(), "EOF"})));
  cases.push_back(row("KeysWhereValuesGo",
                   R"(FIGURE{NAME{X} SHORTNAME{Y} ANSICHTNO{Z} MIDENT{M} INSERTPOINT{POINT{A,B} ROTATION{R}}
                      FIGURITEMS{SHAPEATTR{SHAPETYP{T} SHAPEWIDTH{W}} LINE{POINT{P,Q} POINT{P,Q}}
                      TEXT{POINT{P,Q} TEXT{T} HEIGHT{H} ANGLE{A}}}})",
                   crlf({"915 ", "914 ", "918 0_", "511 ", "900 0  ", "901 0  ",
                         ("100 " + kZero + kZero + kZero + kZero).c_str(),
                         ("500 " + kZero + kZero + kZero + kZero).c_str(), "EOF"})));
  cases.push_back(row("RecordsWhereValuesGoAndValuesWhereRecordsGo",
                   R"(DRAWING{NAME{"D"} SETTINGS{"text"} DRAWINGITEMS{"a string" 42
                      FIGURE{NAME{"F"} ANSICHTNO{-1} INSERTPOINT{7} CUTOUT{"x"} FIGURITEMS{"item" 3 LINE{"p"}
                      SHAPEATTR{4} CIRCLE{RAD{RAD{1}}}}}}})",
                   crlf({"915 D", "914 F", "511 F", ("100 " + kZero + kZero + kZero + kZero).c_str(), "900 0  ",
                         "901 0  ", ("200 " + kZero + kZero + kZero).c_str(), "EOF"})));
  cases.push_back(row("OutOfRangeIntegersReadAsTheSmallestInteger",
                   R"(FIGURE{NAME{"I"} ANSICHTNO{1e300} FIGURITEMS{
                      SHAPEATTR{SHAPETYP{1e300} SHAPEWIDTH{-1e300} METALINETYPE{1e300} COSMETIC{1e300}}
                      TEXT{POINT{0,0} TEXT{"t"} TEXTRELPOS{1e300}}}})",
                   crlf({"915 I", "914 I", "918 -2147483648_I", "511 I", "900 -2147483648", "901 -2147483648",
                         ("500 " + kZero + kZero + kZero + kZero + "t").c_str(), "EOF"})));
  cases.push_back(row("NanIntegersReadAsTheSmallestInteger",
                   R"(FIGURE{NAME{"I"} ANSICHTNO{111} FIGURITEMS{SHAPEATTR{SHAPETYP{111} SHAPEWIDTH{222}}}})",
                   crlf({"915 I", "914 I", "918 -2147483648_I", "511 I", "900 -2147483648", "901 -2147483648",
                         "EOF"})));
  cases.push_back(row("EmptyRecords",
                   R"(DRAWING{DRAWINGITEMS{FIGURE{FIGURITEMS{LINE ARC CIRCLE TEXT SHAPEATTR ELLIPSE ELLIPSEARC
                      ICRV2D SPOINT INSERTPOINT CUTOUT}} FIGURE}})",
                   ""));
  cases.push_back(row("EmptyDrawing", "DRAWING", crlf({"915 ", "EOF"})));
  cases.push_back(row("InputDataWhoseFirstChildIsAValue", R"("DRAWING" FIGURE{NAME{"late"}})", "",
                   "Fehler in der Metadatei!"));
  cases.push_back(row("InputDataWhoseFirstChildIsANumber", "12", "", "Fehler in der Metadatei!"));
  cases.push_back(row("InputDataWithoutChildren", "", "", "Fehler in der Metadatei!"));
  cases.push_back(row("ANameOfFourMegabytes", "", "", nullptr, [] {
                     const std::string big(4u << 20, 'n');
                     metaTreeC* figure = metaTreeC::createKeyNode("FIGURE");
                     metaTreeC* name = metaTreeC::createKeyNode("NAME");
                     metaValueC value;
                     value.setString(big);
                     metaTreeC::appendChildren(metaTreeC::createValueNode(value), name);
                     metaTreeC* items = metaTreeC::createKeyNode("FIGURITEMS");
                     metaTreeC* text = metaTreeC::createKeyNode("TEXT");
                     metaTreeC* content = metaTreeC::createKeyNode("TEXT");
                     metaTreeC::appendChildren(metaTreeC::createValueNode(value), content);
                     metaTreeC::appendChildren(content, text);
                     metaTreeC::appendChildren(text, items);
                     metaTreeC::appendChildren(name, figure);
                     metaTreeC::appendChildren(items, figure);
                     return figure;
                   }));
  return cases;
}

class HostileDrawing : public ::testing::TestWithParam<hostileCaseC> {};

TEST_P(HostileDrawing, ConvertsToMeta2dWithTheDefaults) {
  const hostileCaseC& c = GetParam();
  resultC r = convert(c, "META");
  if (c.restext) {
    EXPECT_EQ(r.restext, c.restext);
    EXPECT_EQ(r.file, "");
    return;
  }
  if (c.meta2dReport) EXPECT_EQ(r.restext, c.meta2dReport);
  else EXPECT_FALSE(r.hasRestext) << r.restext;
  if (!c.meta2dExpected.empty()) {
    EXPECT_EQ(r.file, c.meta2dExpected);
  } else {
    ASSERT_GE(r.file.size(), 5u);
    EXPECT_EQ(r.file.substr(r.file.size() - 5), "EOF\r\n");
  }
}

TEST_P(HostileDrawing, ConvertsToACompleteMiFile) {
  const hostileCaseC& c = GetParam();
  resultC r = convert(c, "MI");
  if (c.restext || c.miReport) {
    EXPECT_EQ(r.restext, c.restext ? c.restext : c.miReport);
  } else {
    EXPECT_FALSE(r.hasRestext) << r.restext;
  }
  EXPECT_TRUE(completeMi(r.file)) << r.file.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileDrawing, ::testing::ValuesIn(hostileCases()),
                         [](const ::testing::TestParamInfo<hostileCaseC>& info) { return info.param.name; });

TEST(HostileDrawing, AFourMegabyteNameIsWrittenWhole) {
  const std::string big(4u << 20, 'n');
  const hostileCaseC c = hostileCases().back();
  resultC r = convert(c, "META");
  const std::string expected = "915 " + big + "\r\n914 " + big + "\r\n918 0_" + big + "\r\n511 " + big + "\r\n500 " +
                               kZero + kZero + kZero + kZero + big + "\r\nEOF\r\n";
  EXPECT_TRUE(r.file == expected) << r.file.size() << " bytes instead of " << expected.size();
}

// A chain of a million items: each format is written with work linear in
// the items, counted as heap allocations (bench/ measures the speed).
metaTreeC* millionLines() {
  metaTreeC* figure = metaTreeC::createKeyNode("FIGURE");
  metaTreeC* items = metaTreeC::createKeyNode("FIGURITEMS");
  metaTreeC::appendChildren(items, figure);
  metaTreeC* last = nullptr;
  for (int i = 0; i < 1000000; ++i) {
    metaTreeC* line = metaTreeC::createKeyNode(i % 2 ? "LINE" : "SHAPEATTR");
    if (last) {
      metaTreeC::insertAfter(line, last);
    } else {
      metaTreeC::appendChildren(line, items);
    }
    last = line;
  }
  return figure;
}

void convertMillion(const char* format) {
  const hostileCaseC c = row("Million", "", "", nullptr, &millionLines);
  resultC r;
  const long long allocations = heapAllocationsOf([&] { r = convert(c, format); });
  EXPECT_FALSE(r.hasRestext) << r.restext;
  // Reading the file back included: at most one allocation per item (MI
  // keeps each line), not one per item and the items before it.
  EXPECT_LE(allocations, 1000000 + 1000) << format;
  if (std::string(format) == "META") {
    std::size_t lines = 0;
    for (char ch : r.file) lines += ch == '\n';
    EXPECT_EQ(lines, 5u + 500000u * 3u);  // 915 914 918 511 ... EOF; 900, 901 and 100 each
  } else {
    EXPECT_TRUE(completeMi(r.file));
  }
}

TEST(HostileDrawing, AMillionSiblingsInFiguritemsToMeta2d) { convertMillion("META"); }
TEST(HostileDrawing, AMillionSiblingsInFiguritemsToMi) { convertMillion("MI"); }

}  // namespace
}  // namespace lorvane::hardening
