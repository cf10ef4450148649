// The rules of lorvane lint on small drawings, one per finding family: each
// finding with its code at the line it concerns, and nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lorvane/lint/drawingLint.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/util/fileContents.h"

namespace lorvane::cli::lint {
namespace {

lintReportC lint(const std::string& text) {
  metaTextReaderC reader;
  metaObjectC tree = reader.readTree(text, true);
  EXPECT_FALSE(reader.failed()) << reader.errorText();
  lintReportC report;
  lintChain(tree.node(), "t.mt", report);
  return report;
}

// "LINE CODE" of every finding, sorted, so that the order of findings on
// one line does not matter.
std::vector<std::string> lineCodes(const std::string& text) {
  const lintReportC report = lint(text);
  std::vector<std::string> out;
  for (const findingC& f : report.findings()) out.push_back(std::to_string(f.line) + " " + std::string(describe(f.rule).code));
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST(LintRules, StructureFindingsStandAtTheirLines) {
  const std::string drawing =
      "FIGURE{\n"                                                  // 1
      "  NAME{\"S\"}\n"                                            // 2
      "  NAME{\"again\"}\n"                                        // 3 repeated
      "  SHORTNAME{S}\n"                                           // 4 key for a text
      "  ANSICHTNO{}\n"                                            // 5 no value (note)
      "  INSERTPOINT{POINT{1,2,3} ROTATION{0 1}}\n"                // 6 three numbers; two values
      "  FIGURITEMS{\n"                                            // 7
      "    LINE{POINT{0,0} POINTS{1,1}}\n"                         // 8 unknown key; one point
      "    ARC{POINT{0,0} POINT{1,1} POINT{2,0} POINT{3,3}}\n"     // 9 four points
      "    CIRCLE{POINT{0,0}}\n"                                   // 10 no RAD
      "    POLYGON{}\n"                                            // 11 no shape
      "  }\n"                                                      // 12
      "  CIRCLE{POINT{0,0} RAD{1}}\n"                              // 13 outside FIGURITEMS
      "  \"stray\"\n"                                              // 14 value among members
      "}\n"                                                        // 15
      "EXTRA\n";                                                   // 16 after the drawing
  EXPECT_EQ(lineCodes(drawing), sorted({"3 L124", "4 L111", "5 L110", "6 L120", "6 L112", "8 L103", "8 L121",
                                        "9 L122", "10 L123", "11 L104", "13 L125", "14 L105", "16 L102"}));
}

TEST(LintRules, AnUnknownKeyNamesTheNearestExpectedOne) {
  const lintReportC report = lint("FIGURE{FIGURITEMS{LINE{POINT{0,0} POINTS{1,1}}}}");
  ASSERT_FALSE(report.findings().empty());
  EXPECT_NE(report.findings().front().message.find("(did you mean POINT?)"), std::string::npos);
  const lintReportC root = lint("DRAWNIG{}");
  ASSERT_EQ(root.findings().size(), 1u);
  EXPECT_EQ(describe(root.findings()[0].rule).code, "L101");
  EXPECT_NE(root.findings()[0].message.find("(did you mean DRAWING?)"), std::string::npos);
}

TEST(LintRules, AFileWithoutADrawingIsReportedAtItsFirstLine) {
  EXPECT_EQ(lineCodes(""), std::vector<std::string>{"1 L101"});
}

TEST(LintRules, ValueFindingsStandAtTheirLines) {
  const std::string drawing =
      "DRAWING{\n"                                                              // 1
      " DRAWINGITEMS{\n"                                                        // 2
      "  FIGURE{\n"                                                             // 3
      "   ANSICHTNO{3000000000}\n"                                              // 4 beyond 32 bits
      "   GROUP{\"yes\"}\n"                                                     // 5 only YES
      "   SHORTNAME{\"A\\n916 B\"}\n"                                         // 6 a line read as a record
      "   FIGURITEMS{\n"                                                        // 7
      "    SHAPEATTR{SHAPETYP{1000} METALINETYPE{2.5} COSMETIC{1}}\n"           // 8 field width; fraction
      "    LINE{POINT{-inf,0} POINT{-1e22,0}}\n"                                // 9 not finite; sign and digits fill the field
      "    TEXT{POINT{0,0} TEXT{\"t\"} HEIGHT{2} TEXTRELPOS{0}}\n"              // 10 no position
      "   }\n"                                                                  // 11
      "   SETTINGS{ME10SETTINGS{ME10LCOLORLIST{ME10LCOLOR{1} ME10LCOLOR{1} ME10LCOLOR{1} ME10LCOLOR{1}\n"
      "     ME10LCOLOR{1} ME10LCOLOR{1} ME10LCOLOR{1} ME10LCOLOR{1} ME10LCOLOR{1}}}}\n"  // 12-13 nine colours
      "  }\n"
      " }\n"
      "}\n";
  EXPECT_EQ(lineCodes(drawing), sorted({"4 L203", "5 L205", "6 L207", "8 L205", "8 L204", "9 L201", "9 L202",
                                        "10 L205", "12 L206"}));
}

// A line break is found where a writer reports it, and only there; lines
// end with carriage returns alone here.
TEST(LintRules, LineBreaksAreFoundWhereTheWritersReportThem) {
  const std::string drawing =
      "DRAWING{\r"                                                        // 1
      " NAME{\"a\\rb\"}\r"                                                 // 2 written as it is
      " DRAWINGITEMS{\r"                                                  // 3
      "  FIGURE{NAME{\"F\"} FIGURITEMS{\r"                                // 4
      "   TEXT{POINT{0,0} TEXT{\"a\\n100 1 2 3 4\"} HEIGHT{1}}\r"          // 5 a line read as a record
      "   TEXT{POINT{0,0} TEXT{\"two\\nlines\"} HEIGHT{1}}}}\r"            // 6 two lines of text
      "  FIGURE{NAME{\"G\\nH\"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}\r"  // 7 an MI part name
      " }\r"
      "}\r";
  EXPECT_EQ(lineCodes(drawing), sorted({"5 L207", "7 L207"}));
}

TEST(LintRules, GeometryFindingsStandAtTheirLines) {
  const std::string drawing =
      "FIGURE{NAME{\"G\"} FIGURITEMS{\n"                                          // 1
      " ARC{POINT{0,0} POINT{1,1} POINT{2,2}}\n"                                  // 2 on one line
      " CIRCLE{POINT{0,0} RAD{0}}\n"                                              // 3 zero radius
      " CIRCLE{POINT{0,0} RAD{-1}}\n"                                             // 4 negative radius
      " LINE{POINT{1,1} POINT{1,1}}\n"                                            // 5 no length
      " ICRV2D{POINT{0,0}}\n"                                                     // 6 one point
      " ELLIPSEARC{POINT{0,0} RAD1{2} RAD2{1} ANGLE1{0} ANGLE2{360}}\n"           // 7 full turn lost
      " ELLIPSE{POINT{0,0} RAD1{2} RAD2{1} ANGLE{359.99995}}\n"                   // 8 placed as 0.00005
      // An arc of 0.00007 degrees across the x axis about (0.0023, 0): its
      // start, 0.00005 degrees below a full turn, is measured from 0, and the
      // arc written runs the other way round.
      " ARC{POINT{9.9999999999961915,-8.72665e-06} POINT{9.9999999999993907,-3.49066e-06}\n"
      "     POINT{9.9999999999993907,3.49066e-06}}\n"                             // 9-10
      " ARC{POINT{1,0} POINT{0,1} POINT{-1,0}}\n"                                 // 11 a sound arc
      "}}\n";
  EXPECT_EQ(lineCodes(drawing), sorted({"2 L301", "3 L302", "4 L303", "5 L304", "6 L305", "7 L306", "8 L307",
                                        "9 L306"}));
}

TEST(LintRules, IdentificationFindingsNameTheirFigure) {
  const std::string drawing =
      "DRAWING{NAME{\"Sheet~1\"}\n"                   // 1 ~ in the drawing's name
      " DRAWINGITEMS{\n"                              // 2
      "  FIGURE{NAME{\"Part~A\"}\n"                   // 3 ~ in the figure's name
      "   MIDENT{\"T3\"}}\n"                          // 4 a name without a comma: nothing
      "  FIGURE{MIDENT{\"{T1},{A=1},{N}\"}}\n"        // 5 N has no = or ?
      "  FIGURE{MIDENT{\"{DIN125},005 {d=13},{D=24}\"}}\n"  // 6 sound
      " }\n"
      "}\n";
  const lintReportC report = lint(drawing);
  std::vector<std::string> seen;
  for (const findingC& f : report.findings())
    seen.push_back(std::to_string(f.line) + " " + std::string(describe(f.rule).code) + " " + figureLabel(f));
  EXPECT_EQ(sorted(seen), sorted({"1 L403 ", "3 L403 figure \"Part~A\"", "4 L401 figure \"Part~A\"",
                                  "5 L402 figure 2"}));
}

TEST(LintRules, FindingsPrintAsCompilersPrintDiagnostics) {
  const findingC finding{"a.mt", 7, lintRule::zeroLengthLine, "LINE from (1, 1) to the same point", "", 3};
  EXPECT_EQ(findingLine(finding), "a.mt:7: warning: figure 3: LINE from (1, 1) to the same point [L304]");
}

TEST(LintRules, JsonStringsEscapeQuotesControlsAndCodePageBytes) {
  // UTF-8 passes; a lone byte of the host's code page is taken as Latin-1.
  EXPECT_EQ(jsonString("a\"b\\c\td\n\x01"), "\"a\\\"b\\\\c\\td\\n\\u0001\"");
  EXPECT_EQ(jsonString("\xC3\xA9"), "\"\xC3\xA9\"");
  EXPECT_EQ(jsonString("\xE9t\xE9"), "\"\\u00e9t\\u00e9\"");
  EXPECT_EQ(jsonString("\xED\xA0\x80"), "\"\\u00ed\\u00a0\\u0080\"");  // a surrogate is no UTF-8
}

// Each code is documented beside the key it concerns.
TEST(LintRules, EveryCodeIsDocumented) {
  std::string text;
  std::string error;
  ASSERT_TRUE(readFileContents(LORVANE_LINT_DOCS, text, error)) << error;
  for (const lintCodeC& code : allLintCodes()) {
    EXPECT_NE(text.find("`" + std::string(code.code) + "`"), std::string::npos) << code.code;
  }
}

}  // namespace
}  // namespace lorvane::cli::lint
