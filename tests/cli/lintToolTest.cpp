// lorvane lint run as a process: the bundled examples are clean, the exit
// status tells notes from problems from unreadable input, and the JSON it
// writes reads back to the findings it prints as lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "processRunner.h"

namespace lorvane::testing {
namespace {

std::string tool() { return quoted(LORVANE_TOOL_PATH); }

std::string writeScratch(const std::string& name, const std::string& text) {
  const std::string path = scratchPath(name);
  writeFileBytes(path, text);
  return path;
}

// Just enough JSON for the tool's output: an array of flat objects whose
// values are strings, numbers or null. \u escapes below 256 give that byte.
class jsonReaderC {
public:
  explicit jsonReaderC(const std::string& text) : text_(text) {}
  using objectT = std::map<std::string, std::string>;  // null reads as "null"

  bool readArray(std::vector<objectT>& out) {
    if (!take('[')) return false;
    if (take(']')) return atEnd();
    do {
      objectT object;
      if (!readObject(object)) return false;
      out.push_back(object);
    } while (take(','));
    return take(']') && atEnd();
  }

private:
  void skipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n')) ++at_;
  }
  bool take(char c) {
    skipBlanks();
    if (at_ < text_.size() && text_[at_] == c) return ++at_, true;
    return false;
  }
  bool atEnd() {
    skipBlanks();
    return at_ == text_.size();
  }
  bool readString(std::string& out) {
    if (!take('"')) return false;
    while (at_ < text_.size() && text_[at_] != '"') {
      char c = text_[at_++];
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c == '\\') {
        if (at_ >= text_.size()) return false;
        const char e = text_[at_++];
        if (e == 'u') {
          if (at_ + 4 > text_.size()) return false;
          const unsigned long code = std::strtoul(text_.substr(at_, 4).c_str(), nullptr, 16);
          if (code > 0xFF) return false;
          at_ += 4;
          c = static_cast<char>(code);
        } else {
          c = e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
          if (e != 'n' && e != 't' && e != 'r' && e != '"' && e != '\\' && e != '/') return false;
        }
      }
      out += c;
    }
    return take('"');
  }
  bool readValue(std::string& out) {
    skipBlanks();
    if (at_ < text_.size() && text_[at_] == '"') return readString(out);
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '}') ++at_;
    out = text_.substr(start, at_ - start);
    return out == "null" || (!out.empty() && out.find_first_not_of("0123456789") == std::string::npos);
  }
  bool readObject(objectT& out) {
    if (!take('{')) return false;
    do {
      std::string key, value;
      if (!readString(key) || !take(':') || !readValue(value)) return false;
      out[key] = value;
    } while (take(','));
    return take('}');
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    out.push_back(text.substr(start, end - start));
  return out;
}

TEST(LintTool, TheBundledExamplesAreClean) {
  const std::string examples = std::string(LORVANE_EXAMPLES_DIR);
  const processResultC r =
      runProcess(tool() + " lint " + quoted(examples + "/bracket.mt") + " " + quoted(examples + "/washer.mt"));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
}

TEST(LintTool, NotesPassWarningsFailUnreadableInputIsAUsageError) {
  const std::string note = writeScratch("note.mt", "FIGURE{\nANSICHTNO{}}");
  processResultC r = runProcess(tool() + " lint " + quoted(note));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(messageText(r.out), hostPath(note) + ":2: note: figure 1: FIGURE ANSICHTNO has no value: read as 0 [L110]\n");

  const std::string warning = writeScratch("warning.mt", "FIGURE{FIGURITEMS{LINE{POINT{1,1} POINT{1,1}}}}");
  r = runProcess(tool() + " lint " + quoted(warning));
  EXPECT_EQ(r.exitCode, 1);

  const std::string broken = writeScratch("broken.mt", "FIGURE{\nNAME;}");
  r = runProcess(tool() + " lint " + quoted(warning) + " " + quoted(broken));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("Line:2 - ill seperator char"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("[L304]"), std::string::npos) << "the readable file is still linted";

  r = runProcess(tool() + " lint --format xml " + quoted(warning));
  EXPECT_EQ(r.exitCode, 2);
  r = runProcess(tool() + " lint --help");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("usage: lorvane lint"), std::string::npos);
}

TEST(LintTool, JsonReadsBackToTheFindingsItPrintsAsLines) {
  // A name with a quote, a backslash and a byte of the host's code page
  // (e acute in Latin-1), which the MI writer changes for its tilde.
  const std::string name = "Q\"~\\\xE9";
  const std::string drawing = writeScratch("json.mt",
                                           "DRAWING{DRAWINGITEMS{\n"
                                           "FIGURE{NAME{\"Q\\\"~\\\\\xE9\"}\n"
                                           "FIGURITEMS{CIRCLE{POINT{0,0} RAD{0}}}}\n"
                                           "FIGURE{SHORTNAME{1}}}}");
  const processResultC json = runProcess(tool() + " lint --format json " + quoted(drawing));
  const processResultC text = runProcess(tool() + " lint " + quoted(drawing));
  EXPECT_EQ(json.exitCode, 1);
  std::vector<jsonReaderC::objectT> findings;
  ASSERT_TRUE(jsonReaderC(messageText(json.out)).readArray(findings)) << json.out;
  ASSERT_EQ(findings.size(), 3u) << json.out;

  EXPECT_EQ(findings[0]["figure"], name);
  EXPECT_EQ(findings[0]["code"], "L403");
  EXPECT_EQ(findings[0]["line"], "2");
  EXPECT_EQ(findings[1]["code"], "L302");
  EXPECT_EQ(findings[1]["severity"], "warning");
  EXPECT_EQ(findings[1]["message"], "CIRCLE RAD is 0");
  EXPECT_EQ(findings[2]["figure"], "figure 2");
  EXPECT_EQ(findings[2]["code"], "L111");
  EXPECT_EQ(findings[2]["line"], "4");

  const std::vector<std::string> printed = lines(messageText(text.out));
  ASSERT_EQ(printed.size(), findings.size());
  for (std::size_t i = 0; i < printed.size(); ++i) {
    auto& f = findings[i];
    EXPECT_EQ(f["column"], "null");
    const std::string figure = f["figure"].rfind("figure ", 0) == 0 ? f["figure"] : "figure \"" + f["figure"] + "\"";
    EXPECT_EQ(printed[i], f["file"] + ":" + f["line"] + ": " + f["severity"] + ": " + figure + ": " + f["message"] +
                              " [" + f["code"] + "]");
  }
}

TEST(LintTool, NoFindingsIsAnEmptyJsonArray) {
  const std::string clean = writeScratch("clean.mt", "FIGURE{NAME{\"C\"}}");
  const processResultC r = runProcess(tool() + " lint --format json " + quoted(clean));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(messageText(r.out), "[]\n");
}

}  // namespace
}  // namespace lorvane::testing
