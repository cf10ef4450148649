#include <cstdio>

#include "commands.h"
#include "outputFormats.h"
#include "platform.h"
#include "pluginHost.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/metatree/metaTextWriter.h"

namespace lorvane::cli {

void printError(const std::string& message) { std::fprintf(stderr, "lorvane: %s\n", message.c_str()); }

namespace {

void writeOut(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

// The capability tree of the module; the tool owns it once returned.
metaObjectC loadCapabilities(const commonOptionsC& options, pluginHostC& host, int& status) {
  std::string error;
  if (!host.load(options.modulePath, error)) {
    printError(error);
    status = kExitUsage;
    return metaObjectC();
  }
  metaObjectC caps(host.getCaps(), true);
  if (!caps.isValid()) {
    printError("the plug-in returned no capability tree");
    status = kExitConversionFailed;
  }
  return caps;
}

}  // namespace

int runCaps(const commonOptionsC& options) {
  pluginHostC host;
  int status = kExitOk;
  metaObjectC caps = loadCapabilities(options, host, status);
  if (caps.isValid()) writeOut(writeTree(caps.node(), true, true));
  return status;
}

int runFormats(const commonOptionsC& options) {
  pluginHostC host;
  std::string error;
  if (!host.load(options.modulePath, error)) {
    printError(error);
    return kExitUsage;
  }
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

int runPrint(const std::vector<std::string>& inputs) {
  int status = kExitOk;
  for (const std::string& input : inputs) {
    std::string bytes;
    std::string error;
    if (!readInputFile(input, bytes, error)) {
      printError(error);
      status = kExitUsage;
      continue;
    }
    metaTextReaderC reader;
    metaObjectC tree = reader.readTree(bytes, true);
    if (reader.failed()) {
      printError(input + ": " + reader.errorText());
      status = kExitUsage;
      continue;
    }
    if (tree.isValid()) writeOut(writeTree(tree.node(), true, false));
  }
  return status;
}

}  // namespace lorvane::cli
