#pragma once

namespace lorvane {

// The classes the module brings into the shared registries. They are
// registered while the module loads and removed again when it unloads, so
// that a host can load, unload and reload it.
void registerModuleClasses();
void unregisterModuleClasses();

}  // namespace lorvane
