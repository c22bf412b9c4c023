#pragma once
#include <set>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace korvi {

// The windows on all desktops: every switch leaves them where they are and
// gathering never moves them. A window is one when it is pinned (for as long as it
// lives) or when its class is one of the settings' class names (compared without
// regard to case).
class StickyWindows {
 public:
  explicit StickyWindows(WindowSystem& windows) : windows_(windows) {}

  void SetClasses(const std::vector<std::string>& classes);
  // Pins a window that is not pinned and unpins one that is; true when it is now
  // pinned. An unpinned window belongs to the desktop where it then is.
  bool TogglePin(WindowHandle window);
  bool IsPinned(WindowHandle window) const { return pinned_.count(window) != 0; }
  // True for a pinned window and a window of a sticky class.
  bool Covers(WindowHandle window);
  // Lets go of the pins of windows that have gone, so that a handle the system
  // gives to a new window later carries no pin. Run before every use.
  void ForgetGone();

 private:
  WindowSystem& windows_;
  std::vector<std::string> classes_;  // upper case
  std::set<WindowHandle> pinned_;
};

}  // namespace korvi
