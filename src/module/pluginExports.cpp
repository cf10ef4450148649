// The module's three exports. Everything else stays inside the module.
#include <mutex>

#include "lorvane/module/capabilities.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/interface/lorvanePlugin.h"

#if defined(_WIN32)
#  define LORVANE_PLUGIN_EXPORT __declspec(dllexport)
#else
#  define LORVANE_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

namespace {

// The meta tree runtime (its pools, registries and reference table) is
// process-wide and unlocked. Calls of a host's threads into the module take
// turns here, so that they never share that state: a second call waits for
// the first. Recursive, so that a progress callback may still call in on the
// thread that holds it. Locking never fails on the platforms the module runs
// on; should it, the call's work is not done, since doing it (or reporting
// the failure into a tree) would allocate beside the call that holds it.
std::recursive_mutex gCallLock;

}  // namespace

extern "C" {

LORVANE_PLUGIN_EXPORT lorvane::metaTreeC* getCaps() {
  try {
    const std::lock_guard<std::recursive_mutex> turn(gCallLock);
    return lorvane::buildCapabilityTree();
  } catch (...) {
    return nullptr;  // memory exhausted: no tree rather than an exception
  }
}

// Answers without touching any shared state, so it takes no turn.
LORVANE_PLUGIN_EXPORT std::int32_t testPrecond() { return 1; }

LORVANE_PLUGIN_EXPORT std::int32_t convertMetaTree(lorvane::metaTreeC* request, lorvaneProgressCallback progress) {
  if (!request) return 0;
  try {
    const std::lock_guard<std::recursive_mutex> turn(gCallLock);
    return lorvane::convertRequest(request, progress);
  } catch (...) {
    return 1;
  }
}

}
