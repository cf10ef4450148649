#pragma once

// The failure plan both allocators of the allocation-failure test follow:
// while armed, every allocation of the counted kind is counted, and the
// failAt-th fails (0: none fails). Disarmed, nothing is counted.
struct failurePlanC {
  bool armed = false;
  bool heap = false;     // the global operator new is counted, else pooled blocks
  long long failAt = 0;
  long long counted = 0;
  bool failed = false;
  bool step() {
    if (++counted != failAt) return false;
    failed = true;
    return true;
  }
};
extern failurePlanC gPlan;
