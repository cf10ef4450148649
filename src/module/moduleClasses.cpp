#include "moduleClasses.h"

#include <memory>

#include "lorvane/document/modelRegistration.h"

namespace lorvane {
namespace {

std::unique_ptr<modelRegistrationC> gModelClasses;

// Static initialisation of the module registers its classes; unloading the
// module removes them again.
struct moduleLifetimeC {
  moduleLifetimeC() { registerModuleClasses(); }
  ~moduleLifetimeC() { unregisterModuleClasses(); }
};
const moduleLifetimeC gModuleLifetime;

}  // namespace

void registerModuleClasses() {
  if (!gModelClasses) gModelClasses = std::make_unique<modelRegistrationC>();
}

void unregisterModuleClasses() { gModelClasses.reset(); }

}  // namespace lorvane
