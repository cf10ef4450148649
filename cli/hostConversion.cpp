#include "hostConversion.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "commands.h"
#include "platform.h"
#include "progressBar.h"
#include "metatree/metaTextReader.h"

namespace lorvane::cli {

std::string extensionOf(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot + 1);
}

std::string withExtension(const std::string& path, const std::string& extension) {
  const std::string current = extensionOf(path);
  const std::string stem = current.empty() && (path.empty() || path.back() != '.') ? path
                                                                                  : path.substr(0, path.size() - current.size() - 1);
  return stem + "." + extension;
}

metaObjectC buildRequest(const std::string& format, const std::string& output, metaTreeC* drawing) {
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
  metaObjectC(request.getOrAddChild("NAME")).setString(format);
  metaObjectC(request.getOrAddChild("VERSION")).setString("1");
  metaObjectC(request.getOrAddChild("OUTPUTLOCATION")).setString(output);
  metaObjectC inputData(request.getOrAddChild("INPUTDATA"));
  if (drawing) metaTreeC::appendChildren(drawing, inputData.node());
  return request;
}

bool readDrawingText(const std::string& bytes, metaTreeC*& drawing, std::string& error) {
  drawing = nullptr;
  metaTextReaderC reader;
  metaObjectC chain = reader.readTree(bytes, true);
  if (reader.failed()) {
    error = reader.errorText();
    return false;
  }
  drawing = chain.node();
  if (drawing) {
    if (metaTreeC* rest = drawing->next()) {
      metaTreeC::unlink(rest);
      delete rest;
    }
    chain.detach(false);
  }
  return true;
}

bool convertDrawing(pluginHostC& host, const std::string& format, const std::string& output, metaTreeC* drawing,
                    bool showProgress, const std::string& label, std::string& failure) {
  metaObjectC request = buildRequest(format, output, drawing);
  enableProgressBar(showProgress, label.c_str());
  host.convertMetaTree(request.node(), &drawProgress);
  finishProgressBar();
  if (metaTreeC* result = request.findChild("RESTEXT")) {
    failure = std::string(metaObjectC(result).getString().view());
    return false;
  }
  return true;
}

scratchFileC::scratchFileC(const std::string& extension) {
  // A random name: two tools running at once must not share a scratch file.
  std::random_device device;
  std::mt19937_64 generator((static_cast<std::uint64_t>(device()) << 32) ^ device() ^
                            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  char name[64];
  std::snprintf(name, sizeof name, "lorvane-%016llx.%s", static_cast<unsigned long long>(generator()),
                extension.c_str());
  std::error_code ignored;
  path_ = (std::filesystem::temp_directory_path(ignored) / name).string();
}

scratchFileC::~scratchFileC() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

bool convertToBytes(pluginHostC& host, const std::string& drawingText, const std::string& format,
                    std::string& fileBytes, std::string& error, bool& unreadable) {
  unreadable = false;
  metaTreeC* drawing = nullptr;
  if (!readDrawingText(drawingText, drawing, error)) {
    unreadable = true;
    return false;
  }
  scratchFileC scratch("tmp");
  std::string failure;
  if (!convertDrawing(host, format, scratch.path(), drawing, false, "", failure)) {
    error = "the plug-in reports: " + failure;
    return false;
  }
  std::error_code ignored;
  if (!std::filesystem::exists(scratch.path(), ignored)) {
    // The plug-in reports no failure for a format it does not know.
    error = "the plug-in wrote no " + format + " file";
    return false;
  }
  return readInputFile(scratch.path(), fileBytes, error);
}

}  // namespace lorvane::cli
