// lorvane: a command-line host for the converter plug-in.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "lorvane/version.h"

namespace {

using namespace lorvane::cli;

const char* const kUsage =
    "usage: lorvane [--module PATH] COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  convert [-f|--format NAME] [-o|--output PATH] [-q|--quiet] [--keep-failed] INPUT...\n"
    "                 convert drawings (meta tree text files, - for standard input)\n"
    "  preview [-o|--output PATH] [--via NAME] [-f|--format svg|png] [--no-labels] INPUT\n"
    "                 draw a drawing, META2D file or MI file as SVG or PNG\n"
    "  check [--meta2d FILE] [--mi FILE] INPUT\n"
    "                 convert a drawing to both formats and compare the files with it\n"
    "  lint [--format text|json] INPUT...\n"
    "                 report what the writers would read as something else\n"
    "  formats        list the output formats the plug-in offers\n"
    "  caps           print the plug-in's capability tree\n"
    "  print INPUT... read meta tree text files and print them back, pretty\n"
    "\n"
    "options:\n"
    "  --module PATH  the plug-in to load (default: $LORVANE_PLUGIN, else the one beside lorvane)\n"
    "  --help         this text, or a command's own with lorvane COMMAND --help\n"
    "  --version      the tool's version\n";

const char* const kConvertUsage =
    "usage: lorvane convert [-f|--format NAME] [-o|--output PATH] [-q|--quiet] [--keep-failed] INPUT...\n"
    "\n"
    "Converts each INPUT (a meta tree text file whose first element is a DRAWING or\n"
    "a FIGURE; - reads standard input) through the plug-in. The output is written\n"
    "into a new file beside it and takes its place only when the conversion\n"
    "succeeded; an output that is one of the inputs is refused.\n"
    "  -f, --format NAME  output format, any case (see lorvane formats); without it\n"
    "                     the format is the one whose file extension the output has\n"
    "  -o, --output PATH  output file (one INPUT only; - for standard output);\n"
    "                     default: INPUT with the format's file extension\n"
    "  -q, --quiet        no progress bar and no summary lines\n"
    "  --keep-failed      put what the plug-in wrote in place even when it reports\n"
    "                     a failure (to inspect the file)\n"
    "exit status: 0 converted, 1 the plug-in reported a failure, 2 usage error,\n"
    "an input that is no drawing, or an output that cannot be written\n";

const char* const kPreviewUsage =
    "usage: lorvane preview [-o|--output PATH] [--via NAME] [-f|--format svg|png]\n"
    "                       [--no-labels] [--warn-size MB] INPUT\n"
    "\n"
    "Draws INPUT as one SVG file: a drawing in the text form, a written META2D\n"
    "file or a written MI file, told apart by their content (- reads standard\n"
    "input). A drawing is drawn as the plug-in writes it (figures placed, other\n"
    "shapes approximated by lines and arcs); the input file is not changed.\n"
    "  -o, --output PATH  the picture (- for standard output); default: INPUT\n"
    "                     with the extension svg or png\n"
    "  --via NAME         the format a drawing is drawn through, any case: META2D\n"
    "                     (default, line kinds and cut-outs) or MI (layers,\n"
    "                     colours, line types); see lorvane formats\n"
    "  -f, --format FMT   svg (default) or png, drawn by rsvg-convert (Debian:\n"
    "                     librsvg2-bin); an output ending in .png is PNG\n"
    "  --no-labels        no figure names above the figures\n"
    "  --warn-size MB     tell what was drawn and how long a browser may take when\n"
    "                     the SVG file is larger (default 20)\n"
    "exit status: 0 drawn, 1 the plug-in reported a failure, 2 usage error, a\n"
    "file that cannot be read (the message names its line) or an output that\n"
    "cannot be written\n";

const char* const kCheckUsage =
    "usage: lorvane check [--meta2d FILE] [--mi FILE] INPUT\n"
    "\n"
    "Converts the drawing INPUT (text form) to META2D and to MI, reads both back\n"
    "and compares every line, arc, circle and text with the drawing, each within\n"
    "what its file's numbers can hold; the lines and arcs both files make of\n"
    "other shapes are compared with each other.\n"
    "  --meta2d FILE  compare this written META2D file instead of converting\n"
    "  --mi FILE      compare this written MI file instead of converting\n"
    "exit status: 0 all agree, 1 a file differs or cannot be read back (the first\n"
    "difference of each file is shown with its line numbers), 2 usage error or\n"
    "unreadable input\n";

const char* const kFormatsUsage =
    "usage: lorvane formats\nLists name, file extension and description of each output format, then the\n"
    "other names the commands take for them. Names are taken in any case.\n";
const char* const kCapsUsage = "usage: lorvane caps\nPrints the capability tree the plug-in returns, in the text form.\n";
const char* const kPrintUsage =
    "usage: lorvane print INPUT...\nReads meta tree text files and writes them back in the text form, pretty.\n"
    "A file that cannot be read gives \"Line:N - message\" and exit status 2.\n";

bool wantsHelp(const std::vector<std::string>& arguments) {
  for (const std::string& a : arguments) {
    if (a == "--help" || a == "-h") return true;
  }
  return false;
}

int usage(const char* text, int status) {
  std::fputs(text, status == kExitOk ? stdout : stderr);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  commonOptionsC common;
  // --module may stand anywhere; everything else belongs to the command.
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--module") {
      if (i + 1 >= arguments.size()) return usage("lorvane: --module needs a path\n", kExitUsage);
      common.modulePath = arguments[++i];
    } else if (arguments[i].rfind("--module=", 0) == 0) {
      common.modulePath = arguments[i].substr(9);
    } else {
      rest.push_back(arguments[i]);
    }
  }
  if (rest.empty()) return usage(kUsage, kExitUsage);
  const std::string command = rest.front();
  const std::vector<std::string> commandArguments(rest.begin() + 1, rest.end());

  if (command == "--help" || command == "-h" || command == "help") return usage(kUsage, kExitOk);
  if (command == "--version") {
    std::printf("lorvane %s\n", lorvane::kLorvaneVersion);
    return kExitOk;
  }
  try {
    if (command == "convert") {
      if (wantsHelp(commandArguments)) return usage(kConvertUsage, kExitOk);
      return runConvert(common, commandArguments);
    }
    if (command == "preview") {
      if (wantsHelp(commandArguments)) return usage(kPreviewUsage, kExitOk);
      if (commandArguments.empty()) return usage(kPreviewUsage, kExitUsage);
      return runPreview(common, commandArguments);
    }
    if (command == "check") {
      if (wantsHelp(commandArguments)) return usage(kCheckUsage, kExitOk);
      if (commandArguments.empty()) return usage(kCheckUsage, kExitUsage);
      return runCheck(common, commandArguments);
    }
    if (command == "lint") return runLint(commandArguments);
    if (command == "formats") {
      if (wantsHelp(commandArguments)) return usage(kFormatsUsage, kExitOk);
      if (!commandArguments.empty()) return usage(kFormatsUsage, kExitUsage);
      return runFormats(common);
    }
    if (command == "caps") {
      if (wantsHelp(commandArguments)) return usage(kCapsUsage, kExitOk);
      if (!commandArguments.empty()) return usage(kCapsUsage, kExitUsage);
      return runCaps(common);
    }
    if (command == "print") {
      if (wantsHelp(commandArguments) || commandArguments.empty())
        return usage(kPrintUsage, commandArguments.empty() ? kExitUsage : kExitOk);
      return runPrint(commandArguments);
    }
  } catch (const std::exception& e) {
    printError(e.what());
    return kExitUsage;
  }
  std::fprintf(stderr, "lorvane: unknown command %s\n", command.c_str());
  return usage(kUsage, kExitUsage);
}
