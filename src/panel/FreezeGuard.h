#pragma once
#include "panel/EdgeForm.h"

namespace korvi {

// Keeps the docked panel out (Freeze) for a bracket of work, and ends the bracket
// however the work ends, early return or exception alike. A command that opens a
// window gives the switch back as it was, so one run while a button is being moved
// leaves the panel frozen for the move; a load or save of the settings releases it,
// which is how move mode's freeze ends at the next save.
class FreezeGuard {
 public:
  enum class End { Restore, Release };
  explicit FreezeGuard(TEdgeForm& edge, End end = End::Restore)
      : edge_(edge), after_(end == End::Restore && edge.Freeze()) {
    edge_.SetFreeze(true);
  }
  ~FreezeGuard() { edge_.SetFreeze(after_); }
  FreezeGuard(const FreezeGuard&) = delete;
  FreezeGuard& operator=(const FreezeGuard&) = delete;

 private:
  TEdgeForm& edge_;
  bool after_;
};

}  // namespace korvi
