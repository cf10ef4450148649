#include <cerrno>
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "platform.h"
#include "pluginHost.h"
#include "metatree/metaObject.h"
#include "metatree/metaTextReader.h"
#include "metatree/metaTextWriter.h"

namespace lorvane::cli {

void printError(const std::string& message) { std::fprintf(stderr, "lorvane: %s\n", message.c_str()); }

bool readInputFile(const std::string& path, std::string& bytes, std::string& error) {
  bytes.clear();
  if (path == "-") {
    if (readStandardInput(bytes)) return true;
    error = "cannot read standard input";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  if (!ok) error = "cannot read " + path;
  return ok;
}

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
  int status = kExitOk;
  metaObjectC caps = loadCapabilities(options, host, status);
  if (!caps.isValid()) return status;
  metaObjectC pair(metaObjectC(caps.findChild("IOPAIRS")).findChild("IOPAIR"));
  metaObjectC outputs(pair.findChild("OUTFMTS"));
  for (metaTreeC* format = outputs.getFirstChild(); format; format = format->next()) {
    if (!format->hasKey("OUTFMT")) continue;
    metaObjectC entry(format);
    auto text = [&](const char* key) { return std::string(metaObjectC(entry.findChild(key)).getString().view()); };
    std::printf("%-10s %-5s %s\n", text("NAME").c_str(), text("FILEEXT").c_str(), text("DESC").c_str());
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
