#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "buttons/ExeButton.h"
#include "panel/PagerSettings.h"
#include "panel/data.h"

namespace korvi {

// The pager's button table: entries 1..128 drawn on the panel in table order.
// Entries 1..10 are the desktop selectors, one per desktop; the others are free
// for launchers, clocks and load gauges. Positions are the panel's client
// coordinates.
class ButtonTable {
 public:
  static constexpr int32_t kSelectors = kMaxDesktops;
  static constexpr int32_t kFirstFree = kSelectors + 1;
  static bool IsSelector(int32_t n) { return n >= 1 && n <= kSelectors; }
  // Selector n's kind (IData) is desktop n.
  static_assert(kind::FirstDesktop == 1 && kind::LastDesktop == kSelectors);

  // `click` is the pager's click handler (desktop switch, clock and gauge style).
  ButtonTable(GlyphSource* glyphs, LaunchServices* launch, TExeButton::NotifyEvent click);

  TExeButton& Button(int32_t n) { return *buttons_[n - 1]; }
  const TExeButton& Button(int32_t n) const { return *buttons_[n - 1]; }

  // Every entry as start-up makes it: free, unused, 48 x 48; then the selectors
  // ("Desktop n", 75 x 25, red) for `count` desktops, selector 1 down.
  void Reset(int32_t count);
  // The one place a button gets its click handler: every kind but the launcher
  // runs the pager's; a launcher starts what it holds and needs none.
  void AttachClickHandler(TExeButton& b) const;
  // The selector rule: entry n of 1..10 selects desktop n and is in use and shown
  // exactly up to the desktop count, whatever the settings said of it.
  void MakeSelectors(int32_t count);
  // Only the selectors' use follows a new count.
  void ShowSelectors(int32_t count);
  // Every selector in use that never had a place (none from the layout, none from
  // the settings file) is put after the selector before it, in the rows the layout
  // makes on a panel `width` wide, instead of staying at (0, 0) under selector 1.
  void PlaceNewSelectors(int32_t width);
  // Sets selector n down and the others of its group up.
  void SetSelectorDown(int32_t n);

  // The settings records given to the entries, or taken from them.
  void Apply(const std::array<ButtonRecord, kButtonCount>& records);
  void Snapshot(std::array<ButtonRecord, kButtonCount>& records) const;

  // Takes the first free entry after the selectors: in use and shown, otherwise as
  // it was. 0 when every entry is in use.
  int32_t TakeFree();
  // The ready-made kinds the menu adds; glyphs are looked for in `programDir`.
  enum class Kind { Clock, Load, ControlPanel, Explorer };
  void SetUp(TExeButton& b, Kind kind, const std::string& programDir) const;
  // Lays out every button in use in rows, in table order, 4 pixels apart, on a
  // panel `width` wide.
  void Arrange(int32_t width);
  // The button under a point: later entries lie on top of earlier ones, and
  // disabled or hidden buttons let the mouse through to the panel. 0: the panel.
  int32_t At(int32_t x, int32_t y) const;
  // Move mode: every button disabled, so that the mouse reaches the panel; and back,
  // every shown entry enabled again (free entries stay hidden and disabled).
  void DisableAll();
  void EnableShown();

 private:
  std::array<std::unique_ptr<TExeButton>, kButtonCount> buttons_;
  std::array<bool, kSelectors + 1> placed_{};  // selector n has had a place
  TExeButton::NotifyEvent click_;
};

}  // namespace korvi
