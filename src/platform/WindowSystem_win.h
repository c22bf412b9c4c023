#pragma once
#include <windows.h>

#include <functional>
#include <unordered_map>

#include "platform/PendingMoves.h"
#include "platform/WindowSystem.h"

namespace korvi {

inline HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h); }
inline WindowHandle FromHwnd(HWND h) { return reinterpret_cast<WindowHandle>(h); }

// A window's home record, kept as four properties of the window: the process that made
// it (the run), the process that owned the window then, the desktop, and the place
// within it (left in the low 16 bits, top in the high 16). Properties go with their
// window, so a closed window leaves no record and a reused handle carries none. The run
// is put on last and taken off first: without it the other three are no record.
// Reads the record run `run` made on `window`: false when there is none from that
// run, or when the window now belongs to another process than when it was recorded.
bool ReadHome(HWND window, DWORD run, HomeRecord& home);
// Takes the record off `window`.
void ForgetHome(HWND window);
// The run that made the record on `window`; 0 when it carries none.
DWORD RecordedRun(HWND window);
// A minimised window's restored place in screen coordinates; false when the system does
// not tell it.
bool RestoredPlace(HWND window, Rect& place);
// Gives a minimised window its restored place (screen coordinates, on the screen: the
// system moves one off it back onto it). The system waits for the window's own thread,
// so for another thread's window the call is made on a thread of its own, waited for at
// most `waitMs`: a program that does not answer holds only that thread. True only once
// the window shows the new place within that time; a program that has not answered by
// then may still take it later.
bool SetRestoredPlace(HWND window, const Rect& place, DWORD waitMs);

// The window manager of the running system. Moves are posted to each window's own
// thread and remembered until the window shows them done (PendingMoves).
class Win32WindowSystem : public WindowSystem {
 public:
  Win32WindowSystem() = default;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;
  ~Win32WindowSystem() override { WatchForeground({}); }
  WindowSnapshot TopLevelWindows() override;
  void MoveWindow(WindowHandle window, const Rect& bounds) override;
  int32_t ScreenWidth() override;
  int32_t ScreenHeight() override;
  Rect VirtualScreen() override;
  bool SettleMoves(int32_t ms) override;
  // Writes only what differs from what this run last wrote on the window: a record
  // that stays the same costs nothing, a window coming home loses only its run, and
  // one going away again with the same record gets its run back.
  void RecordHome(WindowHandle window, const HomeRecord* home) override;
  bool PlaceMinimised(WindowHandle window, const Rect& restored) override;
  // Takes off every record of this run, and what is left of the ones that came home.
  void ForgetHomes() override;
  Rect WorkArea() override;
  Point CursorPos() override;
  WindowHandle ForegroundWindow() override;
  std::string ClassName(WindowHandle window) override;
  bool IsOwnWindow(WindowHandle window) override;
  bool WindowExists(WindowHandle window) override;
  bool RegisterHotkey(int32_t id, uint32_t modifiers, uint32_t key) override;
  void UnregisterHotkey(int32_t id) override;

  bool Describe(WindowHandle window, WindowInfo& info) override;
  // Through window-event hooks on the foreground change and on the keyboard focus (out
  // of context, the pager's own windows left out). One watcher per process.
  bool WatchForeground(std::function<void(WindowHandle)> heard) override;
  uint64_t Milliseconds() override { return ::GetTickCount64(); }

  // The window that receives the hotkeys (WM_HOTKEY, with the id as wParam).
  HWND HotkeyTarget = nullptr;

  // True while a move of `window` is posted and not yet seen done.
  bool IsMovePending(WindowHandle window) const { return pending_.IsPending(window); }

 private:
  // What this run last wrote on a window: the record's data, and whether its run is on
  // it (a window that came home keeps the data, with the run taken off: no record).
  struct Written {
    DWORD Owner;
    HomeRecord Home;
    bool Run;
  };
  PendingMoves pending_;
  // The windows this run wrote on, forgotten when a snapshot no longer holds them (a
  // handle may be reused) or a write fails, so that their next record is whole.
  std::unordered_map<WindowHandle, Written> written_;
  HWINEVENTHOOK hook_ = nullptr, focusHook_ = nullptr;
};

}  // namespace korvi
