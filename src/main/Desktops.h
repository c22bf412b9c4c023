#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "main/DDWinList.h"
#include "main/StickyWindows.h"
#include "panel/PagerSettings.h"
#include "panel/data.h"
#include "platform/Geometry.h"
#include "platform/Platform.h"

namespace korvi {

// The desktops: how many there are, which one is shown, each one's panel colour
// and wallpaper, and the moves of windows between them. A desktop is one screen
// width of the window plane (every monitor together); switching slides every
// other window by whole widths.
// The state lives in the shared state, where the rest of the pager reads it.
class PagerDesktops {
 public:
  PagerDesktops(SharedState& data, Platform& platform, TWinListDialog& winList)
      : data_(data), platform_(platform), winList_(winList), sticky_(platform.Windows) {}

  int32_t Current() const { return data_.CurrentDesktop; }
  int32_t Count() const { return data_.DesktopCount; }
  // The count the user chose; the pager runs on as many of them as fit (Fitting).
  void SetCount(int32_t count);
  // The most desktops whose windows all lie within 16-bit positions on this virtual
  // screen, from any desktop shown: 1..10.
  int32_t Fitting();
  static int32_t FittingFor(const Rect& virtualScreen);

  // Start-up: four desktops, desktop 1 shown, no wallpapers.
  void Reset();
  // The settings' count, wallpapers and panel colours; desktop 1 is shown.
  void Apply(const PagerSettings& settings);
  void Snapshot(PagerSettings& settings) const;

  // Shows desktop n (1..10; any other number does nothing and gives false):
  // every window but `own`, the windows on all desktops and `carried` (a window that
  // goes along to the new desktop) is moved once, to its place on the new desktop.
  bool Change(int32_t n, WindowHandle own, WindowHandle carried = 0);
  // The panel colour of the current desktop, and a new one for it.
  TColor PanelColor() const;
  void SetPanelColor(TColor c);
  // Brings every window of every desktop onto the current one, each at its place
  // within its own desktop; every window but `own` is moved at most once.
  void GatherAll(WindowHandle own);
  // Sets the current desktop's wallpaper file and shows it.
  void SetWallpaper(const std::string& file);
  // Shows the current desktop's wallpaper, when it has one that exists.
  void DisplayWallpaper();
  // Moves window-table entry `index` to desktop `target` (1..10), from the current
  // one. The pager's own window and the root window stay.
  void MoveWindowTo(int32_t target, int32_t index, WindowHandle own);
  // Moves `window` to desktop `target` from the current one, as MoveWindowTo does; false
  // when it stays: a window not in the window table, the current desktop, or a window
  // no move takes (Stays).
  bool SendWindow(WindowHandle window, int32_t target, WindowHandle own);

  // Pins `window` to all desktops, or unpins it when pinned. A window pinned while it
  // lies off the screen (activated from the taskbar, say) is first brought onto the
  // current desktop, at its place within its own, so that it shows on every desktop.
  void TogglePin(WindowHandle window, WindowHandle own);
  // The windows on all desktops.
  StickyWindows& Sticky() { return sticky_; }
  TWinListDialog& WinList() { return winList_; }
  // The desktop a window at `bounds` lies on, counted from the current one by whole
  // widths of the virtual screen (below 1 or above the count for a window stranded
  // beyond an end). A window with any part on the screen is on the current desktop:
  // the user sees it there. One wholly off the screen is on the desktop that holds
  // its centre, where most of it lies.
  int32_t DesktopOf(const Rect& bounds);
  // Brings `window` onto the current desktop, at its place within its own desktop;
  // false when it is not among the windows a switch moves, or is `own`.
  bool BringHere(WindowHandle window, WindowHandle own);

 private:
  static bool IsDesktop(int32_t d) { return d >= 1 && d <= kMaxDesktops; }
  // The one rule for every move of this room: the pager's own window and the windows
  // on all desktops stay where they are.
  bool Stays(WindowHandle window, WindowHandle own) { return window == own || sticky_.Covers(window); }
  // Loads the window table, with the pins of windows gone let go first.
  void Load(const std::optional<Rect>& screen = std::nullopt);

  SharedState& data_;
  Platform& platform_;
  TWinListDialog& winList_;
  StickyWindows sticky_;
  std::vector<std::string> stickyClasses_;  // as the settings have them
  // The settings' count, kept for the file while fewer fit the screen.
  int32_t asked_ = 4, given_ = 4;
};

}  // namespace korvi
