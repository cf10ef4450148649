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

// The heap allocations work makes (the global operator new, counted and
// never failed): a bound on work that does not depend on the machine's speed.
template <class Work>
long long heapAllocationsOf(Work&& work) {
  gPlan = failurePlanC{true, true, 0, 0, false};
  work();
  gPlan.armed = false;
  return gPlan.counted;
}
