#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace korvi {

// One entry of the window table. Coordinates are kept in the order left, right, top, bottom.
struct TWinData {
  WindowHandle Handle = 0;  // 0 marks an empty entry
  int32_t Left = 0;
  int32_t Right = 0;
  int32_t Top = 0;
  int32_t Bottom = 0;
  std::string Title;  // at most 127 characters
};

constexpr int kWinListSize = 128;

// What window positions may hold: much of the system keeps them in 16 bits.
constexpr int32_t kMinCoord = -32768, kMaxCoord = 32767;

// The window table: a snapshot of the root window and the visible, non-minimised
// top-level windows in Z-order from the top. Entries are numbered 1..128.
class TWinListDialog {
 public:
  explicit TWinListDialog(WindowSystem& windows) : windows_(windows) {}

  // `screen` is the virtual screen when the caller has just read it: read again, it
  // would cost as much as a few windows of the snapshot do.
  void Load(const std::optional<Rect>& screen = std::nullopt);
  // Fills one entry from a window of a snapshot.
  static void GetWindowInfo(const WindowInfo& window, TWinData& entry);
  // Shifts entry `index` by the virtual screen's width times (from - to) and moves its window.
  void MoveWindowInfo(int32_t from, int32_t to, int32_t index);
  // Brings windows lying wholly off one side of the screen back within reach:
  // off the left side when AtFirst, off the right side otherwise. Works on the table
  // as it stands (see TForm1::ChangeDesktop), so call Load first when it may be old.
  void Normalize(bool AtFirst);

  // The two halves of the above, on the table only, for a switch that computes each
  // window's final place first and then moves it once. They measure against the
  // virtual screen as the last Load read it, so call them right after a Load.
  void ShiftInfo(int32_t from, int32_t to, int32_t index);
  // True when the entry was stepped. Widths and edges are the virtual screen's.
  bool GatherInfo(bool AtFirst, int32_t index);
  // Both sides at once: the entry is brought onto the screen from whichever side it
  // lies beyond, at its place within its own desktop. True when it was stepped.
  bool GatherAllInfo(int32_t index);
  // Moves entry `index`'s window to the entry's rectangle (not the root window), and
  // keeps with the window where it belongs when that lies off the screen.
  void MoveToEntry(int32_t index);
  // The same for several entries at once, as a switch moves them.
  void MoveToEntries(const std::vector<int32_t>& indices);
  // Where a window at `at`, recorded as `home`, goes when it is brought back onto
  // `screen` (the virtual screen): its recorded place, with its size. A record that
  // would not bring it onto the screen is not believed: a window off the screen is
  // stepped onto it by whole widths instead, one on the screen stays (nothing).
  static std::optional<Rect> PlaceToRestore(const Rect& at, const HomeRecord& home, const Rect& screen);

  // Minimised windows belong to no desktop: restored, one shows on the desktop on show.
  // So a restore place lying wholly off the virtual screen (a window minimised while it
  // sat on another desktop) is stepped onto it by whole widths, to its place within its
  // own desktop, and its home record goes. The pager's own window stays. Uses the
  // minimised windows of the last Load.
  void BringMinimisedOnScreen(WindowHandle own);
  // The visible minimised windows whose restore place the last Load learnt.
  std::vector<WindowInfo> Minimised;

  // The desktop shown, for the records of windows moved off the screen.
  int32_t Shown = 1;

  TWinData& Entry(int index) { return WinList[index - 1]; }
  const TWinData& Entry(int index) const { return WinList[index - 1]; }

  WindowHandle RootWindow = 0;
  std::array<TWinData, kWinListSize> WinList{};

 private:
  // Whether entry `index` lies off the screen, and where it belongs then.
  bool HomeOf(int32_t index, HomeRecord& home);
  // The virtual screen the table is measured against, read with the windows by Load
  // (and afresh by the single moves and Normalize, which may come long after it), not
  // once per window: every reading asks the system again (under Wine, four round trips
  // to its server).
  const Rect& Screen() {
    if (!screen_) screen_ = windows_.VirtualScreen();
    return *screen_;
  }
  WindowSystem& windows_;
  std::optional<Rect> screen_;
};

}  // namespace korvi
