#pragma once
#include <windows.h>

#include "platform/PendingMoves.h"
#include "platform/WindowSystem.h"

namespace korvi {

inline HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h); }
inline WindowHandle FromHwnd(HWND h) { return reinterpret_cast<WindowHandle>(h); }

// The window manager of the running system. Moves are posted to each window's own
// thread and remembered until the window shows them done (PendingMoves).
class Win32WindowSystem : public WindowSystem {
 public:
  WindowSnapshot TopLevelWindows() override;
  void MoveWindow(WindowHandle window, const Rect& bounds) override;
  int32_t ScreenWidth() override;
  int32_t ScreenHeight() override;
  Rect VirtualScreen() override;
  bool SettleMoves(int32_t ms) override;
  Rect WorkArea() override;
  Point CursorPos() override;

  // True while a move of `window` is posted and not yet seen done.
  bool IsMovePending(WindowHandle window) const { return pending_.IsPending(window); }

 private:
  PendingMoves pending_;
};

}  // namespace korvi
