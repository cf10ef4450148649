#include "interface/moduleClasses.h"

namespace lorvane {
namespace {

// Static initialisation of the module registers its classes.
struct moduleLifetimeC {
  moduleLifetimeC() { registerModuleClasses(); }
  ~moduleLifetimeC() { unregisterModuleClasses(); }
};
const moduleLifetimeC gModuleLifetime;

}  // namespace

void registerModuleClasses() {}
void unregisterModuleClasses() {}

}  // namespace lorvane
