#include <cstdio>

#include "commands.h"
#include "hostConversion.h"
#include "inputFile.h"
#include "outputFormats.h"
#include "pluginHost.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::cli {

void printError(const std::string& message) { std::fprintf(stderr, "lorvane: %s\n", message.c_str()); }

namespace {

void writeOut(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

}  // namespace

const commandSyntaxC kFormatsSyntax{
    {}, inputCount::none,
    "Lists name, file extension and description of each output format, then the\n"
    "other names the commands take for them. Names are taken in any case.\n",
    ""};

const commandSyntaxC kCapsSyntax{{}, inputCount::none, "Prints the capability tree the plug-in returns, in the text form.\n", ""};

const commandSyntaxC kPrintSyntax{
    {}, inputCount::many,
    "Reads meta tree text files and writes them back in the text form, pretty.\n"
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
    writeOut(writeTree(tree.node(), true, false));
  }
  return status;
}

}  // namespace lorvane::cli
