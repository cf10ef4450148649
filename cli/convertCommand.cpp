#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "hostConversion.h"
#include "platform.h"
#include "pluginHost.h"
#include "metatree/metaObject.h"

namespace lorvane::cli {
namespace {

struct offeredFormatC {
  std::string name;
  std::string extension;
};

struct convertOptionsC {
  std::string format;
  std::string output;
  bool quiet = false;
  std::vector<std::string> inputs;
};

std::string lowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::vector<offeredFormatC> offeredFormats(pluginHostC& host) {
  std::vector<offeredFormatC> formats;
  metaObjectC caps(host.getCaps(), true);
  metaObjectC outputs(metaObjectC(metaObjectC(caps.findChild("IOPAIRS")).findChild("IOPAIR")).findChild("OUTFMTS"));
  for (metaTreeC* format = outputs.getFirstChild(); format; format = format->next()) {
    if (!format->hasKey("OUTFMT")) continue;
    metaObjectC entry(format);
    formats.push_back({std::string(metaObjectC(entry.findChild("NAME")).getString().view()),
                       std::string(metaObjectC(entry.findChild("FILEEXT")).getString().view())});
  }
  return formats;
}

// The plug-in also takes "ME10" for the MI writer, a name older hosts use.
const offeredFormatC* findFormat(const std::vector<offeredFormatC>& formats, const std::string& requested) {
  const std::string wanted = lowerCase(requested) == "me10" ? "mi" : lowerCase(requested);
  for (const offeredFormatC& format : formats) {
    if (lowerCase(format.name) == wanted) return &format;
  }
  return nullptr;
}

std::string offeredNames(const std::vector<offeredFormatC>& formats) {
  std::string names;
  for (const offeredFormatC& format : formats) names += (names.empty() ? "" : ", ") + format.name;
  return names;
}

long long fileSize(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return -1;
  long long size = 0;
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) size += static_cast<long long>(got);
  std::fclose(file);
  return size;
}

bool parseOptions(const std::vector<std::string>& arguments, convertOptionsC& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    auto value = [&](std::string& target) {
      if (i + 1 >= arguments.size()) {
        printError("option " + a + " needs a value");
        return false;
      }
      target = arguments[++i];
      return true;
    };
    if (a == "-f" || a == "--format") {
      if (!value(options.format)) return false;
    } else if (a.rfind("--format=", 0) == 0) {
      options.format = a.substr(9);
    } else if (a == "-o" || a == "--output") {
      if (!value(options.output)) return false;
    } else if (a.rfind("--output=", 0) == 0) {
      options.output = a.substr(9);
    } else if (a == "-q" || a == "--quiet") {
      options.quiet = true;
    } else if (a.size() > 1 && a[0] == '-') {
      printError("unknown option " + a + " (see lorvane convert --help)");
      return false;
    } else {
      options.inputs.push_back(a);
    }
  }
  if (options.inputs.empty()) {
    printError("convert needs an input file (see lorvane convert --help)");
    return false;
  }
  if (options.inputs.size() > 1 && !options.output.empty()) {
    printError("--output names one file; it cannot be used with several inputs");
    return false;
  }
  return true;
}

// Converts one input; returns its exit status.
int convertOne(pluginHostC& host, const std::string& input, const std::string& output, const std::string& format,
               bool quiet) {
  std::string bytes;
  std::string error;
  if (!readInputFile(input, bytes, error)) {
    printError(error);
    return kExitUsage;
  }
  metaTreeC* drawing = nullptr;
  if (!readDrawingText(bytes, drawing, error)) {
    printError(input + ": " + error);
    return kExitUsage;
  }
  // The plug-in judges what the first element is.
  std::string failure;
  if (!convertDrawing(host, format, output, drawing, !quiet && standardErrorIsTerminal(), input, failure)) {
    printError(input + ": " + failure);
    return kExitConversionFailed;
  }
  if (!quiet) std::printf("%s: %lld bytes\n", output.c_str(), fileSize(output));
  return kExitOk;
}

}  // namespace

int runConvert(const commonOptionsC& common, const std::vector<std::string>& arguments) {
  convertOptionsC options;
  if (!parseOptions(arguments, options)) return kExitUsage;

  pluginHostC host;
  std::string error;
  if (!host.load(common.modulePath, error)) {
    printError(error);
    return kExitUsage;
  }
  const std::vector<offeredFormatC> formats = offeredFormats(host);

  const offeredFormatC* chosen = nullptr;
  std::string formatName = options.format;
  if (!options.format.empty()) {
    chosen = findFormat(formats, options.format);
    if (!chosen) {
      printError("the plug-in offers no format " + options.format + "; offered: " + offeredNames(formats));
      return kExitUsage;
    }
  } else {
    const std::string extension = lowerCase(extensionOf(options.output));
    for (const offeredFormatC& format : formats) {
      if (!extension.empty() && lowerCase(format.extension) == extension) {
        chosen = &format;
        break;
      }
    }
    if (!chosen) {
      printError("no format given and none matches the output's extension; use --format with one of: " +
                 offeredNames(formats));
      return kExitUsage;
    }
    formatName = chosen->name;
  }

  int status = kExitOk;
  for (const std::string& input : options.inputs) {
    std::string output = options.output;
    if (output.empty()) {
      if (input == "-") {
        printError("standard input needs --output");
        status = std::max(status, kExitUsage);
        continue;
      }
      output = withExtension(input, chosen->extension);
    }
    status = std::max(status, convertOne(host, input, output, formatName, options.quiet));
  }
  return status;
}

}  // namespace lorvane::cli
