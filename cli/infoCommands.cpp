#include <cstdio>

#include "lorvane/cli/commands.h"
#include "hostConversion.h"
#include "inputFile.h"
#include "outputFormats.h"
#include "pluginHost.h"
#include "lorvane/cli/progressBar.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::cli {

namespace {

// Whether the message starts with a place in a file, "FILE:LINE:COLUMN: ":
// the text up to its first ": " ends in two numbers after colons.
bool startsWithPlace(const std::string& message) {
  const std::size_t end = message.find(": ");
  std::size_t at = end == std::string::npos ? 0 : end;
  for (int number = 0; number < 2; ++number) {
    const std::size_t digits = at;
    while (at > 0 && message[at - 1] >= '0' && message[at - 1] <= '9') --at;
    if (at == digits || at == 0 || message[at - 1] != ':') return false;
    --at;
  }
  return at > 0;
}

}  // namespace

void printError(const std::string& message) {
  // A message takes the progress bar's line; the bar comes back below it.
  clearProgressBar();
  // A place in a file stands first, as compilers print it, so that editors
  // jump to it.
  std::fprintf(stderr, startsWithPlace(message) ? "%s\n" : "lorvane: %s\n", message.c_str());
}

namespace {

void writeOut(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

// The text goes out as it is written: a drawing of any size costs its tree
// and one piece of text. A failed write leaves the stream's error flag,
// which the tool reports when the command ends.
class standardOutputSinkC final : public textSinkC {
public:
  void write(std::string_view piece) override { std::fwrite(piece.data(), 1, piece.size(), stdout); }
};

}  // namespace

const commandSyntaxC kFormatsSyntax{
    {}, inputCount::none,
    "Lists name, file extension and description of each output format, then the\n"
    "other names the commands take for them. Names are taken in any case.\n",
    ""};

const commandSyntaxC kCapsSyntax{{}, inputCount::none, "Prints the capability tree the plug-in returns, in the text form.\n", ""};

namespace {

constexpr optionC kPrintOptions[] = {
    {"exact-numbers", '\0', optionKind::flag, nullptr,
     "write every number with the digits it needs to read back as the same double"},
};

}  // namespace

const commandSyntaxC kPrintSyntax{
    kPrintOptions, inputCount::many,
    "Reads meta tree text files and writes them back in the text form, pretty.\n"
    "Numbers are written as the text form writes them, with 14 significant\n"
    "digits: converting the printed text may give other files than converting\n"
    "the input. --exact-numbers writes each number so that it reads back as the\n"
    "same double, and the printed text converts as the input does.\n"
    "A file that cannot be read gives \"Line:N - message\" and exit status 2, as\n"
    "do an empty file and a written META2D or MI file.\n",
    ""};

int runCaps(const argumentsC& arguments) {
  pluginHostC host;
  if (!loadPlugin(host, arguments)) return kExitUsage;
  // The tool owns the tree once returned.
  const metaObjectC caps(host.getCaps(), true);
  if (!caps.isValid()) {
    printError("the plug-in returned no capability tree");
    return kExitConversionFailed;
  }
  writeOut(writeTree(caps.node(), true, true));
  return kExitOk;
}

int runFormats(const argumentsC& arguments) {
  pluginHostC host;
  if (!loadPlugin(host, arguments)) return kExitUsage;
  const formatTableC formats(host);
  for (const outputFormatC& format : formats.formats()) {
    std::printf("%-10s %-5s %s\n", format.name.c_str(), format.extension.c_str(), format.description.c_str());
  }
  for (const formatAliasC& alias : kFormatAliases) {
    if (const outputFormatC* format = formats.find(alias.alias))
      std::printf("%-10s %-5s the same as %s\n", alias.alias, format->extension.c_str(), format->name.c_str());
  }
  return kExitOk;
}

int runPrint(const argumentsC& arguments) {
  int status = kExitOk;
  for (const std::string& input : arguments.inputs()) {
    metaObjectC tree;
    // Like convert, print takes no written file and no file without a tree.
    if (!readTextTree(input, input, {.refuseWrittenFiles = true, .refuseEmpty = true}, tree)) {
      status = kExitUsage;
      continue;
    }
    if (!tree.isValid()) continue;
    standardOutputSinkC output;
    writeTree(tree.node(), true, false,
              arguments.has("exact-numbers") ? textNumberForm::exact : textNumberForm::fourteenDigits, output);
    std::fputc('\n', stdout);
  }
  return status;
}

}  // namespace lorvane::cli
