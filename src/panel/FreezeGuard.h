#pragma once
#include "panel/EdgeForm.h"

namespace korvi {

// Keeps the docked panel out (Freeze) while a command runs, and gives the switch
// back however it ends, early return or exception alike. The switch goes back to
// what it was, so a command run while a button is being moved leaves the panel
// frozen for the move (until the command's save, which always releases it).
class FreezeGuard {
 public:
  explicit FreezeGuard(TEdgeForm& edge) : edge_(edge), was_(edge.Freeze()) { edge_.SetFreeze(true); }
  ~FreezeGuard() { edge_.SetFreeze(was_); }
  FreezeGuard(const FreezeGuard&) = delete;
  FreezeGuard& operator=(const FreezeGuard&) = delete;

 private:
  TEdgeForm& edge_;
  bool was_;
};

}  // namespace korvi
