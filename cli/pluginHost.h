#pragma once
#include <string>

#include "lorvane/interface/lorvanePlugin.h"
#include "lorvane/cli/platform.h"

namespace lorvane::cli {

// The converter module, loaded at run time as a catalogue host loads it.
class pluginHostC {
public:
  pluginHostC() = default;
  pluginHostC(const pluginHostC&) = delete;
  pluginHostC& operator=(const pluginHostC&) = delete;
  ~pluginHostC() { unloadModule(module_); }

  // explicitPath: --module, else the environment variable, else the module
  // built or installed beside the tool. False with error set on failure.
  bool load(const std::string& explicitPath, std::string& error);
  const std::string& path() const { return path_; }

  lorvaneGetCapsFunction getCaps = nullptr;
  lorvaneTestPrecondFunction testPrecond = nullptr;
  lorvaneConvertMetaTreeFunction convertMetaTree = nullptr;

private:
  moduleHandleC module_;
  std::string path_;
};

inline constexpr const char* kPluginEnvironmentVariable = "LORVANE_PLUGIN";

}  // namespace lorvane::cli
