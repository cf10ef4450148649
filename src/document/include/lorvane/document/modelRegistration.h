#pragma once
#include <memory>
#include <vector>

#include "lorvane/metatree/metaRegistry.h"

namespace lorvane {

// Registers one prototype per shape and document class of the 2D model for as
// long as it lives: a module makes one in its static initialisation, and
// unloading the module unregisters and destroys the prototypes again, so the
// module can be loaded anew. A registration that a higher or equal priority
// entry already holds is not taken; destruction removes only this object's
// own entries.
class modelRegistrationC {
public:
  modelRegistrationC();
  ~modelRegistrationC();
  modelRegistrationC(const modelRegistrationC&) = delete;
  modelRegistrationC& operator=(const modelRegistrationC&) = delete;

private:
  struct entryC {
    metaObjectInterfaceListC* registry;
    metaObjectC* interface;
  };

  template <class T>
  void add(metaObjectInterfaceListC& registry, std::string_view name, std::int32_t priority, T* prototype,
           metaObjectC* interface);
  void unregisterAll() noexcept;

  std::vector<std::unique_ptr<metaObjectVirtualDataBaseC>> prototypes_;
  std::vector<entryC> entries_;
};

}  // namespace lorvane
