#include "main/ButtonTable.h"

#include <algorithm>

#include "buttons/ButtonRecord.h"

namespace korvi {

namespace {

constexpr int32_t kSelectorGroup = 1001;

// What each ready-made kind gets, in the order the steps are applied.
struct SetUpValues {
  const char* FirstCaption;  // null: the caption is not set first
  int32_t Width, Height;
  bool ExeDisabled;
  const char* ExeName;
  const char* GlyphFile;  // in the program folder; null: no glyph
  const char* Hint;
  int32_t IData;
  const char* LastCaption;
};

const SetUpValues& ValuesOf(ButtonTable::Kind kind) {
  static const SetUpValues clock{nullptr, 75, 25, true, "", nullptr, "Clock", kind::FirstClock, "Clock"};
  static const SetUpValues load{"Load", 100, 100, true, "", nullptr, "Load", kind::FirstGauge, "Load"};
  static const SetUpValues control{nullptr, 40, 40, false, "CONTROL.EXE", "CONTROL.BMP", "Control Panel",
                                   kind::Launcher, ""};
  static const SetUpValues explorer{nullptr, 40, 40, false, "EXPLORER.EXE", "EXPLORER.BMP", "Windows Explorer",
                                    kind::Launcher, ""};
  switch (kind) {
    case ButtonTable::Kind::Clock: return clock;
    case ButtonTable::Kind::Load: return load;
    case ButtonTable::Kind::ControlPanel: return control;
    case ButtonTable::Kind::Explorer: break;
  }
  return explorer;
}

}  // namespace

ButtonTable::ButtonTable(GlyphSource* glyphs, LaunchServices* launch, TExeButton::NotifyEvent click)
    : click_(std::move(click)) {
  for (auto& b : buttons_) b = std::make_unique<TExeButton>(glyphs, launch);
}

void ButtonTable::Reset(int32_t count) {
  placed_.fill(false);
  for (int n = 1; n <= kButtonCount; ++n) {
    TExeButton& b = Button(n);
    b.Tag = n;
    b.Caption = "(unused)";
    b.Width = 48;
    b.Height = 48;
    b.Visible = false;
    b.Enabled = false;
    b.IData = kind::Launcher;
    AttachClickHandler(b);
  }
  for (int n = 1; n <= kSelectors; ++n) {
    TExeButton& b = Button(n);
    b.Width = 75;
    b.Height = 25;
    b.ExeDisabled = true;
    b.SetExeName("");
    b.SetExeArgs("");
    b.SetExeStart("");
    b.SetGlyphName("");
    b.SetIconIndex(0);
    b.GroupIndex = kSelectorGroup;
    b.Caption = "Desktop " + std::to_string(n);
    b.Font.Color = clRed;
  }
  MakeSelectors(count);
  SetSelectorDown(1);
}

void ButtonTable::AttachClickHandler(TExeButton& b) const {
  if (b.IData != kind::Launcher)
    b.OnClick = click_;
  else
    b.OnClick = nullptr;
}

void ButtonTable::MakeSelectors(int32_t count) {
  for (int n = 1; n <= kSelectors; ++n) {
    TExeButton& b = Button(n);
    b.IData = n;
    AttachClickHandler(b);
  }
  ShowSelectors(count);
}

void ButtonTable::ShowSelectors(int32_t count) {
  for (int n = 1; n <= kSelectors; ++n) {
    Button(n).Enabled = n <= count;
    Button(n).Visible = Button(n).Enabled;
  }
}

void ButtonTable::SetSelectorDown(int32_t n) {
  for (int i = 1; i <= kButtonCount; ++i) {
    TExeButton& b = Button(i);
    if (b.GroupIndex == kSelectorGroup) b.Down = (i == n);
  }
}

void ButtonTable::Apply(const std::array<ButtonRecord, kButtonCount>& records) {
  for (int n = 1; n <= kButtonCount; ++n) {
    const ButtonRecord& r = records[n - 1];
    TExeButton& b = Button(n);
    const int32_t left = b.Left, top = b.Top, width = b.Width, height = b.Height;
    const std::string caption = b.Caption;
    const TFont font = b.Font;
    ApplyRecord(r, b);
    // A shown record with a place gives the selector that place. One without keeps
    // the place the layout gave it, or gets one after the selector before it
    // (PlaceNewSelectors), rather than (0, 0) under selector 1.
    if (IsSelector(n) && r.Visible) {
      if (r.HasPlace) {
        placed_[n] = true;
      } else if (placed_[n]) {
        b.Left = left;
        b.Top = top;
      }
      // The same for the keys that make it look like its desktop's selector: one the
      // record leaves out keeps what the layout gave, not a blank 50 x 50 button.
      if (!r.HasWidth) b.Width = width;
      if (!r.HasHeight) b.Height = height;
      if (!r.HasCaption) b.Caption = caption;
      if (!r.HasFont) b.Font = font;
    }
    AttachClickHandler(b);
  }
}

void ButtonTable::Snapshot(std::array<ButtonRecord, kButtonCount>& records) const {
  for (int n = 1; n <= kButtonCount; ++n) records[n - 1] = RecordOf(Button(n));
}

int32_t ButtonTable::TakeFree() {
  for (int n = kFirstFree; n <= kButtonCount; ++n) {
    TExeButton& b = Button(n);
    if (b.Enabled) continue;
    // Everything else stays as the entry last held it; the callers set what they need.
    b.Enabled = true;
    b.Visible = true;
    return n;
  }
  return 0;
}

void ButtonTable::SetUp(TExeButton& b, Kind kind, const std::string& programDir) const {
  const SetUpValues& v = ValuesOf(kind);
  // The order matters: the program name resets the caption, start folder and glyph.
  if (v.FirstCaption) b.Caption = v.FirstCaption;
  b.Width = v.Width;
  b.Height = v.Height;
  b.ExeDisabled = v.ExeDisabled;
  b.SetExeName(v.ExeName);
  b.SetExeArgs("");
  b.SetExeStart("");
  b.Layout = static_cast<uint8_t>(GlyphLayout::Top);
  b.SetGlyphName(v.GlyphFile ? programDir + v.GlyphFile : std::string());
  b.SetIconIndex(0);
  b.Hint = v.Hint;
  b.ShowHint = true;
  b.IData = v.IData;
  AttachClickHandler(b);
  b.Caption = v.LastCaption;
}

void ButtonTable::PlaceNewSelectors(int32_t width) {
  for (int n = 1; n <= kSelectors; ++n) {
    TExeButton& b = Button(n);
    if (!b.Enabled || placed_[n]) continue;
    placed_[n] = true;
    if (n == 1) {
      b.Left = b.Top = 4;
      continue;
    }
    const TExeButton& before = Button(n - 1);
    b.Left = before.Left + before.Width + 4;
    b.Top = before.Top;
    if (b.Left + b.Width > width) {
      b.Left = 4;
      b.Top = before.Top + before.Height + 4;
    }
  }
}

void ButtonTable::Arrange(int32_t width) {
  int32_t x = 4, y = 4, rowHeight = 0;
  for (int n = 1; n <= kButtonCount; ++n) {
    TExeButton& b = Button(n);
    if (!b.Enabled) continue;
    if (IsSelector(n)) placed_[n] = true;
    b.Left = x;
    b.Top = y;
    if (b.Left + b.Width > width) {
      x = 4;
      y = y + rowHeight + 4;
      rowHeight = 0;
      b.Left = 4;
      b.Top = y;
    }
    x = x + b.Width + 4;
    rowHeight = std::max(rowHeight, b.Height);
  }
}

int32_t ButtonTable::At(int32_t x, int32_t y) const {
  // Later buttons lie on top of earlier ones. Disabled buttons let the mouse through
  // to the panel: that is how move mode reaches the panel's own handlers.
  for (int n = kButtonCount; n >= 1; --n) {
    const TExeButton& b = Button(n);
    if (b.Visible && b.Enabled && x >= b.Left && x < b.Left + b.Width && y >= b.Top && y < b.Top + b.Height)
      return n;
  }
  return 0;
}

void ButtonTable::DisableAll() {
  for (auto& b : buttons_) b->Enabled = false;
}

void ButtonTable::EnableShown() {
  for (auto& b : buttons_) b->Enabled = b->Visible;
}

}  // namespace korvi
