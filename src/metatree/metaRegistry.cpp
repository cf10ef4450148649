#include "lorvane/metatree/metaRegistry.h"

namespace lorvane {

std::size_t metaObjectInterfaceListC::lowerBound(std::string_view name) const {
  std::size_t low = 0;
  std::size_t high = size();
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    // string_view compares as unsigned bytes, a prefix before longer texts.
    if ((*entries_)[mid].name.view() < name) low = mid + 1;
    else high = mid;
  }
  return low;
}

bool metaObjectInterfaceListC::registerInterface(std::string_view name, metaObjectC* interface,
                                                 std::int32_t priority) {
  if (!entries_) entries_ = new pageMemT<metaObjectInterfaceListEntryC, 3>;
  lastFound_ = nullptr;
  const std::size_t at = lowerBound(name);
  if (at < size() && (*entries_)[at].name.view() == name) {
    metaObjectInterfaceListEntryC& existing = (*entries_)[at];
    if (priority <= existing.priority) return false;
    existing.priority = priority;
    existing.interface = interface;
    return true;
  }
  metaObjectInterfaceListEntryC entry;
  entry.priority = priority;
  entry.name = name;
  entry.interface = interface;
  entries_->append(entry);
  for (std::size_t i = size() - 1; i > at; --i) (*entries_)[i] = (*entries_)[i - 1];
  (*entries_)[at] = entry;
  return true;
}

metaObjectC* metaObjectInterfaceListC::findInterface(std::string_view name) const {
  if (lastFound_ && lastFound_->name.view() == name) return lastFound_->interface;
  return search(name);
}

metaObjectC* metaObjectInterfaceListC::search(std::string_view name) const {
  const std::size_t count = size();
  if (count == 0 || name.empty()) return nullptr;
  std::size_t at = count;
  if (count < 6) {
    for (std::size_t i = 0; i < count && at == count; ++i) {
      if ((*entries_)[i].name.view() == name) at = i;
    }
  } else {
    at = lowerBound(name);
    if (at < count && (*entries_)[at].name.view() != name) at = count;
  }
  if (at == count) return nullptr;
  lastFound_ = &(*entries_)[at];
  return lastFound_->interface;
}

void metaObjectInterfaceListC::unregisterInterface(const metaObjectC* interface) {
  lastFound_ = nullptr;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < size(); ++i) {
    if ((*entries_)[i].interface == interface) continue;
    if (kept != i) (*entries_)[kept] = (*entries_)[i];
    ++kept;
  }
  while (size() > kept) {
    entries_->back() = metaObjectInterfaceListEntryC{};
    entries_->popBack();
  }
  if (entries_ && entries_->empty()) {
    delete entries_;
    entries_ = nullptr;
  }
}

// Function-local statics: a module registering from its own static
// initialisation finds the registries ready whatever the load order.
metaObjectInterfaceListC& shapeRegistry() {
  static metaObjectInterfaceListC registry;
  return registry;
}
metaObjectInterfaceListC& documentRegistry() {
  static metaObjectInterfaceListC registry;
  return registry;
}
metaObjectInterfaceListC& customStorageRegistry() {
  static metaObjectInterfaceListC registry;
  return registry;
}
metaObjectInterfaceListC& customCopyRegistry() {
  static metaObjectInterfaceListC registry;
  return registry;
}

}  // namespace lorvane
