#include "main/FocusFollow.h"

namespace korvi {

void FocusFollow::SetMode(int32_t mode) {
  mode_ = mode >= Off && mode <= BringWindow ? mode : ShowDesktop;
  if (mode_ != Off) on_ = mode_;
  Rebase();
}

void FocusFollow::Rebase() {
  seen_ = windows_.ForegroundWindow();
  waiting_ = 0;
}

void FocusFollow::Start() {
  Rebase();
  listening_ = windows_.WatchForeground([this](WindowHandle h) { Heard(h); });
}

void FocusFollow::Stop() {
  if (listening_) windows_.WatchForeground({});
  listening_ = false;
}

void FocusFollow::OwnMove() {
  // The follow's own switch ends nothing: the window it followed is in front, where
  // the user wants it, and any other that comes next is the user's doing.
  if (!acting_) quietUntil_ = windows_.Milliseconds() + kOwnMoveQuiet;
}

void FocusFollow::Heard(WindowHandle h) {
  if (h != seen_) Judge(h);
  const bool looking = CheckPeriod() != 0;
  lookUntil_ = windows_.Milliseconds() + kLookAfterNotice;
  if (!looking && CheckPeriod() != 0 && OnPeriodChange) OnPeriodChange();
}

void FocusFollow::Check() {
  if (mode_ == Off) return;
  const WindowHandle h = windows_.ForegroundWindow();
  if (h != seen_) return Judge(h);
  if (h == 0 || h != waiting_) return;
  WindowInfo info;
  if (!windows_.Describe(h, info)) waiting_ = 0;
  else if (!info.Minimised) {
    waiting_ = 0;
    if (info.Visible && windows_.Milliseconds() >= quietUntil_) Follow(info);
  }
}

int32_t FocusFollow::CheckPeriod() const {
  return mode_ != Off && (!listening_ || waiting_ != 0 || windows_.Milliseconds() < lookUntil_) ? kCheckPeriod : 0;
}

void FocusFollow::Judge(WindowHandle h) {
  // No window in front (between two activations) changes nothing.
  if (h == 0) return;
  seen_ = h;
  waiting_ = 0;
  if (mode_ == Off || windows_.IsOwnWindow(h) || windows_.Milliseconds() < quietUntil_) return;
  WindowInfo info;
  if (!windows_.Describe(h, info) || !info.Visible) return;
  // A minimised window has no place on a desktop until it is restored; then it comes
  // back where it was, judged as any other. A switch never moves minimised windows,
  // so most come back on the desktop shown and nothing follows.
  if (info.Minimised) {
    waiting_ = h;
    return;
  }
  Follow(info);
}

void FocusFollow::Follow(const WindowInfo& info) {
  const int32_t current = desktops_.Current();
  const int32_t d = desktops_.DesktopOf(info.Bounds);
  if (d == current) return;
  acting_ = true;
  if (mode_ == BringWindow) {
    if (moves_.Bring) moves_.Bring(info.Handle);
  } else if (moves_.Show) {
    // A window stranded beyond the first or last desktop: that end is shown, and
    // showing an end desktop gathers the windows beyond it.
    const int32_t count = desktops_.Count();
    moves_.Show(d < 1 ? 1 : d > count ? count : d);
  }
  acting_ = false;
}

}  // namespace korvi
