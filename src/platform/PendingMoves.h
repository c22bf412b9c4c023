#pragma once
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/WindowSystem.h"

namespace korvi {

// Where windows were asked to go by moves that their programs have not carried out yet.
//
// Moves are posted to the window's own thread, so that a hung or busy program cannot
// stall a desktop switch; until that thread gets to them the system still reports the
// old rectangle. Computing anything from that stale rectangle (gathering stranded
// windows, or the next switch a moment later) would move the window a second time and
// leave it on the wrong desktop. So every posted move is remembered here with the
// places the window may still show on its way (where it was, and earlier targets still
// queued), and a snapshot reports the target instead of any of those. A window seen at
// its target has done its moves; one seen anywhere else was moved by someone else, and
// its own place is believed from then on.
class PendingMoves {
 public:
  // A move of `window`, seen at `actual`, to `target` has been posted.
  void Asked(WindowHandle window, const Rect& actual, const Rect& target);
  // The place to report for `window`, which the system shows at `actual`.
  Rect Reported(WindowHandle window, const Rect& actual);
  // Forgets every window not in `alive` (closed windows; handles may be reused).
  void KeepOnly(const std::unordered_set<WindowHandle>& alive);
  bool Empty() const { return moves_.empty(); }
  bool IsPending(WindowHandle window) const { return moves_.count(window) != 0; }

 private:
  struct Pending {
    std::vector<Rect> Passed;  // distinct places the window may show before the target
    Rect Target;
  };
  std::unordered_map<WindowHandle, Pending> moves_;
};

}  // namespace korvi
