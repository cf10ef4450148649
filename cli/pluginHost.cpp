#include "pluginHost.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace lorvane::cli {
namespace {

bool fileExists(const std::string& path) {
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fclose(f);
    return true;
  }
  return false;
}

std::string defaultModulePath() {
  // The build tree and an installed prefix both keep the tool in bin/ and
  // the module in lib/; a Windows install may keep both in one folder.
  const std::string folder = executableFolder();
  const std::vector<std::string> candidates = {folder + "../lib/" + pluginFileName(), folder + pluginFileName()};
  for (const std::string& candidate : candidates) {
    if (fileExists(candidate)) return candidate;
  }
  return candidates.front();
}

}  // namespace

bool pluginHostC::load(const std::string& explicitPath, std::string& error) {
  path_ = explicitPath;
  if (path_.empty()) {
    const char* fromEnvironment = std::getenv(kPluginEnvironmentVariable);
    path_ = fromEnvironment && *fromEnvironment ? fromEnvironment : defaultModulePath();
  }
  std::string reason;
  module_ = loadModule(path_, reason);
  if (!module_.handle) {
    error = "cannot load plug-in " + path_ + ": " + reason;
    return false;
  }
  getCaps = reinterpret_cast<lorvaneGetCapsFunction>(findSymbol(module_, kGetCapsSymbol));
  testPrecond = reinterpret_cast<lorvaneTestPrecondFunction>(findSymbol(module_, kTestPrecondSymbol));
  convertMetaTree = reinterpret_cast<lorvaneConvertMetaTreeFunction>(findSymbol(module_, kConvertMetaTreeSymbol));
  if (!getCaps || !testPrecond || !convertMetaTree) {
    error = "plug-in " + path_ + " does not export getCaps, testPrecond and convertMetaTree";
    return false;
  }
  return true;
}

}  // namespace lorvane::cli
