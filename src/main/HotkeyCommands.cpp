// The hotkeys' commands and the windows on all desktops: what each key does, the
// hotkey dialog, and pinning a picked window.
#include "main/main.h"

namespace korvi {

void TForm1::RegisterHotkeys() {
  const std::string held = hotkeys_.Register();
  if (!held.empty()) platform_.Desktop.ShowError(held);
}

WindowHandle TForm1::ActiveWindow() {
  const WindowHandle w = platform_.Windows.ForegroundWindow();
  // The pager itself, its dialogs and its picker never leave the screen.
  if (w == 0 || w == OwnWindow || platform_.Windows.IsOwnWindow(w)) return 0;
  return w;
}

void TForm1::ShowDesktop(int32_t n, WindowHandle carried) {
  // Nothing beyond the desktop count, as the selectors offer.
  if (n < 1 || n > desktops_.Count()) return;
  ChangeDesktop(n, carried);
  SetSelectorDown(n);
  Repaint();
}

void TForm1::RunHotkey(int32_t id) {
  const int32_t a = PagerHotkeys::ActionOf(id);
  const int32_t current = desktops_.Current();
  if (a >= hot::Desktop && a < hot::Desktop + kMaxDesktops) return ShowDesktop(a - hot::Desktop + 1);
  if (a >= hot::Send && a < hot::Send + kMaxDesktops) {
    const int32_t target = a - hot::Send + 1;
    if (target <= desktops_.Count()) desktops_.SendWindow(ActiveWindow(), target, OwnWindow);
    return;
  }
  switch (a) {
    case hot::Next: return ShowDesktop(current + 1);
    case hot::Previous: return ShowDesktop(current - 1);
    // The active window goes along: it stays on the screen while the others move.
    case hot::SendNext: return ShowDesktop(current + 1, ActiveWindow());
    case hot::SendPrevious: return ShowDesktop(current - 1, ActiveWindow());
    case hot::Gather: return GatherAll();
    case hot::Pin: desktops_.TogglePin(ActiveWindow(), OwnWindow); return;
    default: return;
  }
}

void TForm1::SetHotkeys() {
  if (!services_) return;
  HotkeySet keys = hotkeys_.Keys();
  // The dialog's key fields take the keys as they are typed, the pager's own too:
  // those are let go while it is open.
  hotkeys_.Unregister();
  const bool ok = services_->EditHotkeys(keys);
  if (ok) hotkeys_.Change(keys);
  const std::string held = hotkeys_.Register();
  if (!held.empty()) platform_.Desktop.ShowError(held);
}

void TForm1::ToggleStickyWindow() {
  if (!services_) return;
  const int32_t index = services_->SelectWindow();
  TWinListDialog& list = desktops_.WinList();
  if (index < 2 || index > kWinListSize) return;  // none, or the root window
  const WindowHandle h = list.Entry(index).Handle;
  if (!platform_.Windows.IsOwnWindow(h)) desktops_.TogglePin(h, OwnWindow);
}

}  // namespace korvi
