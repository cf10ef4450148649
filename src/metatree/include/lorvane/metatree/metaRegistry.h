#pragma once
#include <cstdint>
#include <string_view>

#include "lorvane/metatree/memory/pageMem.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane {

struct metaObjectInterfaceListEntryC {
  std::int32_t priority = 0;
  str name;
  metaObjectC* interface = nullptr;  // the prototype's view part
};

// A class registry: (priority, class name, prototype) entries sorted by name
// in ascending byte order. The entry pages are made on the first registration
// and freed when the last entry goes.
class LORVANE_RUNTIME_API metaObjectInterfaceListC {
public:
  metaObjectInterfaceListC() = default;
  metaObjectInterfaceListC(const metaObjectInterfaceListC&) = delete;
  metaObjectInterfaceListC& operator=(const metaObjectInterfaceListC&) = delete;
  ~metaObjectInterfaceListC() { delete entries_; }

  // A name registered twice keeps the entry of the higher priority; equal or
  // lower priorities leave the existing entry. Returns whether it was taken.
  bool registerInterface(std::string_view name, metaObjectC* interface, std::int32_t priority);
  metaObjectC* findInterface(std::string_view name) const;
  // Removes every entry that names this prototype (a module being unloaded).
  void unregisterInterface(const metaObjectC* interface);

  std::size_t size() const { return entries_ ? entries_->size() : 0; }
  const metaObjectInterfaceListEntryC& entry(std::size_t i) const { return (*entries_)[i]; }

private:
  // Index of the first entry whose name is not less than the name.
  std::size_t lowerBound(std::string_view name) const;
  metaObjectC* search(std::string_view name) const;

  pageMemT<metaObjectInterfaceListEntryC, 3>* entries_ = nullptr;
  // The last name found: a walk over a figure asks for the same few classes
  // again and again. Cleared whenever an entry changes.
  mutable const metaObjectInterfaceListEntryC* lastFound_ = nullptr;
};

// The process-wide registries; the host and the plug-in share them.
LORVANE_RUNTIME_API metaObjectInterfaceListC& shapeRegistry();
LORVANE_RUNTIME_API metaObjectInterfaceListC& documentRegistry();
LORVANE_RUNTIME_API metaObjectInterfaceListC& customStorageRegistry();
LORVANE_RUNTIME_API metaObjectInterfaceListC& customCopyRegistry();

// Calls an operation on the prototype registered for the key of the object's
// node, bound to that node for the duration of the call. Returns fallback when
// the node is no key, no prototype is registered, or the prototype is the
// object itself. Proto is the view class the registry holds.
template <class Proto, class Call, class Result>
Result forwardToPrototype(const metaObjectInterfaceListC& registry, const Proto* self, Result fallback, Call&& call) {
  metaTreeC* node = self->node();
  if (!node || !node->isKey()) return fallback;
  metaObjectC* found = registry.findInterface(node->value().text().view());
  if (!found) return fallback;
  Proto* prototype = static_cast<Proto*>(found);
  if (prototype == self) return fallback;
  struct restore {
    Proto* prototype;
    metaTreeC* bound;
    ~restore() {
      prototype->dropCaches();
      prototype->rebind(bound);
    }
  } guard{prototype, prototype->rebind(node)};
  return call(*prototype);
}

}  // namespace lorvane
