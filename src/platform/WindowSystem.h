#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace korvi {

// Opaque handle of a top-level window (an HWND on Windows). 0 means "no window".
using WindowHandle = std::uintptr_t;

// One top-level window as a snapshot saw it.
struct WindowInfo {
  WindowHandle Handle = 0;
  Rect Bounds;
  std::string Title;  // the window text, at most 127 characters
  bool Visible = false;
  bool Minimised = false;
  // A minimised window's place when it is restored, in screen coordinates; empty when
  // the system does not tell it (or the window is not minimised).
  Rect Restored;
};

// Where a window the pager moved off the screen belongs: its desktop and its place
// within that desktop (the place it takes when that desktop is shown).
struct HomeRecord {
  int32_t Desktop = 0;
  int32_t Left = 0, Top = 0;
  bool operator==(const HomeRecord&) const = default;
};

// The top-level windows at one moment.
struct WindowSnapshot {
  WindowInfo Root;                  // the root (desktop) window: the whole screen
  std::vector<WindowInfo> Windows;  // every other top-level window, topmost first
};

// What the pager needs from the window manager: the top-level windows in Z-order,
// moving one of them, and the screen's size.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Every top-level window, in Z-order. A window that was asked to move (MoveWindow)
  // is reported at the place it was asked to go until its own program has carried
  // the move out, so a snapshot never shows where a slow program's window used to be.
  virtual WindowSnapshot TopLevelWindows() = 0;

  // Moves and sizes a window to `bounds`; never waits for the window's own thread,
  // so a hung or busy program cannot stall the pager. The root window never moves,
  // and a window that has gone is ignored. The result is not reported.
  virtual void MoveWindow(WindowHandle window, const Rect& bounds) = 0;

  // Screen size in pixels, read afresh at every call.
  virtual int32_t ScreenWidth() = 0;
  virtual int32_t ScreenHeight() = 0;
  // The virtual screen: every monitor together, in the primary monitor's coordinates.
  // With one monitor it is the screen.
  virtual Rect VirtualScreen() { return {0, 0, ScreenWidth(), ScreenHeight()}; }
  // Asks the windows moved so far whether their moves have landed, for at most `ms`
  // milliseconds; true when none is left waiting.
  virtual bool SettleMoves(int32_t ms) {
    (void)ms;
    return true;
  }
  // Keeps where `window` belongs with the window itself, so that the record outlives
  // the pager's process; null forgets it. A window that has gone is ignored.
  virtual void RecordHome(WindowHandle window, const HomeRecord* home) {
    (void)window;
    (void)home;
  }
  // Gives a minimised window the place it takes when it is restored, leaving it minimised
  // and inactive; waits for the window's own thread a moment at most. True once the window
  // shows the new place; false when it has gone, is not minimised, or its program did not
  // take the place in that moment (it may still take it later).
  virtual bool PlaceMinimised(WindowHandle window, const Rect& restored) {
    (void)window;
    (void)restored;
    return false;
  }
  // Forgets every record this pager made: after a normal "Exit" nothing is brought back.
  virtual void ForgetHomes() {}
  // The window in front, the one the user types into (0 when there is none).
  virtual WindowHandle ForegroundWindow() { return 0; }
  // True for a window of the pager's own program: its panel, menus, dialogs, picker.
  virtual bool IsOwnWindow(WindowHandle window) {
    (void)window;
    return false;
  }
  // One window as a snapshot would report it; false when it has gone.
  virtual bool Describe(WindowHandle window, WindowInfo& info) {
    (void)window;
    (void)info;
    return false;
  }
  // Asks the system to call `heard` on the pager's thread whenever a window of
  // another program comes to the front; an empty function stops it. False when the
  // system offers no such notice. Even when it says yes, the notices may never come.
  virtual bool WatchForeground(std::function<void(WindowHandle)> heard) {
    (void)heard;
    return false;
  }
  // Milliseconds on a steady clock, for how long ago the pager did something.
  virtual uint64_t Milliseconds() { return 0; }
  // The desktop work area (the screen less the taskbar).
  virtual Rect WorkArea() = 0;
  virtual Point CursorPos() = 0;

  // A window's class name, "" when it has gone.
  virtual std::string ClassName(WindowHandle window) {
    (void)window;
    return {};
  }
  // False once a window has gone.
  virtual bool WindowExists(WindowHandle window) {
    (void)window;
    return true;
  }
  // A key that reaches the pager from any program while held down (once per press,
  // not repeated); `modifiers` and `key` as Hotkey has them. False when another
  // program holds the key already. Registering an id again replaces its key.
  virtual bool RegisterHotkey(int32_t id, uint32_t modifiers, uint32_t key) {
    (void)id;
    (void)modifiers;
    (void)key;
    return false;
  }
  virtual void UnregisterHotkey(int32_t id) { (void)id; }
};

}  // namespace korvi
