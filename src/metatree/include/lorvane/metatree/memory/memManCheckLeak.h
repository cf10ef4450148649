#pragma once
#include <cstdint>

#include "lorvane/metatree/memory/memManSystem.h"

namespace lorvane {

// Counts the pooled blocks allocated and not freed since it was made or reset.
class LORVANE_RUNTIME_API memManCheckLeakC : public memManInterfaceC {
public:
  memManCheckLeakC() { reset(); }
  // Out of line: the runtime library holds the vtable for its users.
  ~memManCheckLeakC() override;
  std::int64_t leaked() const { return static_cast<std::int64_t>(currentCount()) - recorded_; }
  void reset() { recorded_ = currentCount(); }

private:
  static std::uint32_t currentCount() {
    const memManSystemC* system = memManSystemC::get(false);
    return system ? system->blockCount() : 0;
  }
  std::int64_t recorded_ = 0;
};

}  // namespace lorvane
