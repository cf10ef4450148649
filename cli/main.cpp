// lorvane: a command-line host for the converter plug-in.
#include <string>
#include <vector>

#include "lorvane/cli/commands.h"
#include "lorvane/cli/platform.h"
#include "toolDispatch.h"

namespace {

using namespace lorvane::cli;

// The commands in the order lorvane --help lists them.
const commandC kCommands[] = {
    {"convert", "convert drawings (meta tree text files, - for standard input)", &kConvertSyntax, runConvert},
    {"preview", "draw drawings, META2D files or MI files as SVG or PNG", &kPreviewSyntax, runPreview},
    {"check", "convert drawings to both formats and compare the files with them", &kCheckSyntax, runCheck},
    {"lint", "report what the writers would read as something else", &kLintSyntax, runLint},
    {"formats", "list the output formats the plug-in offers", &kFormatsSyntax, runFormats},
    {"caps", "print the plug-in's capability tree", &kCapsSyntax, runCaps},
    {"print", "read meta tree text files and print them back, pretty", &kPrintSyntax, runPrint},
};

}  // namespace

int main(int argc, char** argv) {
  installInterruptionCleanup();
  return runTool(kCommands, std::vector<std::string>(argv + 1, argv + argc));
}
