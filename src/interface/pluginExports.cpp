// The module's three exports. Everything else stays inside the module.
#include "lorvane/interface/capabilities.h"
#include "lorvane/interface/builtInWriters.h"
#include "lorvane/interface/lorvanePlugin.h"

#if defined(_WIN32)
#  define LORVANE_PLUGIN_EXPORT __declspec(dllexport)
#else
#  define LORVANE_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

LORVANE_PLUGIN_EXPORT lorvane::metaTreeC* getCaps() {
  try {
    return lorvane::buildCapabilityTree();
  } catch (...) {
    return nullptr;  // memory exhausted: no tree rather than an exception
  }
}

LORVANE_PLUGIN_EXPORT std::int32_t testPrecond() { return 1; }

LORVANE_PLUGIN_EXPORT std::int32_t convertMetaTree(lorvane::metaTreeC* request, lorvaneProgressCallback progress) {
  return lorvane::convertRequest(request, progress);
}

}
