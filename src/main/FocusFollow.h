#pragma once
#include <cstdint>
#include <functional>

#include "main/Desktops.h"
#include "platform/WindowSystem.h"

namespace korvi {

// "Follow Focus": when a window that lies on another desktop comes to the front (its
// taskbar button, Alt+Tab, a program activating itself), the pager shows that
// window's desktop, or brings the window to the current one.
//
// It hears of the front window through the system's notices (Heard) and, where they
// cannot be had, looks at it on a timer (Check). Only a change
// of the front window counts: a switch moves the window in front away with its
// desktop, and that is never followed back. The pager's own windows are never
// followed, and neither is a window brought to the front just after a switch or send
// the pager made for the user (the system hands the focus on as the pager's menu,
// picker or panel lets it go).
class FocusFollow {
 public:
  // [OPTIONS] FOLLOWFOCUS.
  enum Mode : int32_t { Off = 0, ShowDesktop = 1, BringWindow = 2 };
  // After a switch or send of the pager's own, fronts are not followed for this long.
  static constexpr uint64_t kOwnMoveQuiet = 400;
  // How often the timer looks while it is needed: the desktop follows within about
  // half a second, the look itself being one question to the system.
  static constexpr int32_t kCheckPeriod = 250;
  // After a notice the window in front may change again without one (a taskbar given the
  // focus by a click hands the activation on to the button's window, and Wine announces
  // only focus changes): the timer looks for this long.
  static constexpr uint64_t kLookAfterNotice = 2000;

  struct Moves {
    std::function<void(int32_t desktop)> Show;        // shows that desktop
    std::function<void(WindowHandle window)> Bring;   // brings that window here
  };

  FocusFollow(WindowSystem& windows, PagerDesktops& desktops, Moves moves)
      : windows_(windows), desktops_(desktops), moves_(std::move(moves)) {}
  FocusFollow(const FocusFollow&) = delete;
  FocusFollow& operator=(const FocusFollow&) = delete;
  ~FocusFollow() { Stop(); }

  int32_t Mode() const { return mode_; }
  // Any value but 0..2 is taken as 1. The window in front now is not followed.
  void SetMode(int32_t mode);
  // The menu item: off, or on again in the way it last followed (1 or 2).
  void Toggle() { SetMode(mode_ != Off ? Off : on_); }

  // Starts listening; the window in front at start is not followed.
  void Start();
  void Stop();
  // The pager moved windows for the user (a switch, a send) just now.
  void OwnMove();
  // The system's notice: `window` came to the front.
  void Heard(WindowHandle window);
  // The timer's look at the front window.
  void Check();
  // The timer period wanted now, 0 for none: off, or the system's notices come, none
  // came just now and no minimised window waits to be restored.
  int32_t CheckPeriod() const;
  // Told when a notice asks the timer to start (CheckPeriod changed).
  std::function<void()> OnPeriodChange;

 private:
  void Judge(WindowHandle window);
  void Follow(const WindowInfo& info);
  void Rebase();

  WindowSystem& windows_;
  PagerDesktops& desktops_;
  Moves moves_;
  int32_t mode_ = ShowDesktop, on_ = ShowDesktop;
  WindowHandle seen_ = 0;     // the front window last judged
  WindowHandle waiting_ = 0;  // a minimised front window, judged once restored
  uint64_t quietUntil_ = 0, lookUntil_ = 0;
  bool listening_ = false, acting_ = false;
};

}  // namespace korvi
