#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "panel/Docking.h"
#include "panel/HotkeyText.h"
#include "panel/data.h"
#include "platform/Colors.h"
#include "platform/Font.h"

namespace korvi {

// Where a button's glyph sits beside its caption.
enum class GlyphLayout : uint8_t { Left = 0, Right = 1, Top = 2, Bottom = 3 };

// The [FORM] section: where and how the panel docks.
struct FormSettings {
  uint8_t Edge = edge::Bottom;  // always one of edge::Top .. edge::Right
  int32_t Size = 100;           // thickness; 0 or less leaves the thickness alone
  bool Smooth = true;
  bool OnTop = false;
  bool Hide = true;  // hides to a strip when the mouse leaves
  TColor Color = clBtnFace;
  bool operator==(const FormSettings&) const = default;
};

// One [BUTTONn] section. `Enabled` is the VISIBLE key; the other keys belong to a
// shown entry only: a hidden entry neither reads nor writes them, so the file keeps
// what it last held there.
struct ButtonRecord {
  bool Enabled = false;
  bool Visible = false;
  int32_t Left = 0, Top = 0, Width = 50, Height = 50;
  bool Flat = false;
  std::string Program, Start, Args, Glyph;
  int32_t Index = 0;
  std::string Caption, Hint;
  uint8_t Layout = 0;  // always a GlyphLayout
  TFont Font;
  int32_t IData = 0;
  // Whether the record holds its own start folder, glyph and caption. A hand-written
  // file may leave those keys out: the button then keeps what its program gave it
  // (the program's folder, icon and name). An empty value is a value of its own.
  bool HasStart = true, HasGlyph = true, HasCaption = true;
  // Whether the record gives a place (LEFT or TOP). Left and Top read 0 without one; a
  // desktop selector then keeps the place the layout gives it instead of (0, 0).
  bool HasPlace = true;
  // Whether the record gives its width, height and font. A desktop selector without
  // them keeps the ones the layout gives it; any other entry takes the reader's defaults.
  bool HasWidth = true, HasHeight = true, HasFont = true;
  bool operator==(const ButtonRecord&) const = default;
};

// Everything the settings file holds, as one value travelling between the file
// and the live pager. Desktop d is entry d of the per-desktop arrays (entry 0 is
// unused); button n is Buttons[n - 1].
struct PagerSettings {
  FormSettings Form;
  int32_t DesktopCount = 2;  // always 1..kMaxDesktops
  std::array<std::string, kMaxDesktops + 1> Wallpapers{};
  std::array<TColor, kMaxDesktops + 1> PanelColors{};
  std::array<ButtonRecord, kButtonCount> Buttons{};
  // [OPTIONS] GATHERONEXIT: "Exit" brings every window of every desktop onto the screen.
  bool GatherOnExit = false;
  // [HOTKEYS]: each action's key description as the file holds it (the default where
  // the file has none), read into keys only by the pager (ResolveHotkeys), so a line
  // the pager cannot use is kept as the user wrote it.
  HotkeyTexts Hotkeys = DefaultHotkeyTexts();
  // [STICKY] CLASS1..: window class names whose windows stay on every desktop. The
  // pager reads them and never writes them.
  std::vector<std::string> StickyClasses;
  // [OPTIONS] FOLLOWFOCUS: a window of another desktop coming to the front shows its
  // desktop (1), is brought to the current one (2), or nothing happens (0).
  int32_t FollowFocus = 1;
  bool operator==(const PagerSettings&) const = default;
};

}  // namespace korvi
