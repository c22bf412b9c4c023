// The panel's buttons as a group: new entries, the ready-made kinds, move mode and
// files dropped on the panel.
#include "main/main.h"
#include "panel/Settings.h"
#include "util/Text.h"

#include <algorithm>

namespace korvi {

namespace {

constexpr int32_t kFirstFreeEntry = 11;
constexpr int32_t kMinimumSide = 4;

// What each ready-made kind gets, in the order the steps are applied.
struct SetUpValues {
  const char* FirstCaption;  // null: the caption is not set first
  int32_t Width, Height;
  bool ExeDisabled;
  const char* ExeName;
  const char* GlyphFile;  // in the program folder; null: no glyph
  const char* Hint;
  int32_t IData;
  bool ClickHandler;
  const char* LastCaption;
};

const SetUpValues& ValuesOf(TForm1::SetUp kind) {
  static const SetUpValues clock{nullptr, 75, 25, true, "", nullptr, "Clock", kind::FirstClock, true, "Clock"};
  static const SetUpValues load{"Load", 100, 100, true, "", nullptr, "Load", kind::FirstGauge, true, "Load"};
  static const SetUpValues control{nullptr, 40, 40, false, "CONTROL.EXE", "CONTROL.BMP", "Control Panel",
                                   kind::Launcher, false, ""};
  static const SetUpValues explorer{nullptr, 40, 40, false, "EXPLORER.EXE", "EXPLORER.BMP", "Windows Explorer",
                                    kind::Launcher, false, ""};
  switch (kind) {
    case TForm1::SetUp::Clock: return clock;
    case TForm1::SetUp::Load: return load;
    case TForm1::SetUp::ControlPanel: return control;
    case TForm1::SetUp::Explorer: break;
  }
  return explorer;
}

}  // namespace

void TForm1::Save() { SaveSettings(data_, platform_.Files, platform_.Desktop); }

void TForm1::NewButton() {
  HotButton = 0;
  for (int i = kFirstFreeEntry; i <= kButtonCount; ++i) {
    if (!Button(i).Enabled) {
      HotButton = i;
      break;
    }
  }
  if (HotButton == 0) return;
  // Everything else stays as the entry last held it; the callers set what they need.
  Button(HotButton).Enabled = true;
  Button(HotButton).Visible = true;
  if (host_) host_->Repaint();
}

void TForm1::SetUpButton(TExeButton& b, SetUp kind) {
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
  b.SetGlyphName(v.GlyphFile ? data_.ProgramDir + v.GlyphFile : std::string());
  b.SetIconIndex(0);
  b.Hint = v.Hint;
  b.ShowHint = true;
  b.IData = v.IData;
  if (v.ClickHandler)
    b.OnClick = [this](TExeButton& s) { ButtonClick(s); };
  else
    b.OnClick = nullptr;
  b.Caption = v.LastCaption;
  if (host_) host_->Repaint();
}

void TForm1::MoveButton() {
  if (HotButton <= 0 || HotButton > kButtonCount) return;
  edge_.SetFreeze(true);  // released by FormClick, which ends move mode
  MovingButton = HotButton;
  // Disabled, the buttons let the mouse through to the panel's own handlers.
  for (int i = 1; i <= kButtonCount; ++i) Button(i).Enabled = false;
  const TExeButton& b = Button(MovingButton);
  if (services_) services_->ShowReadout();
  if (pos_) pos_->Display(b.Left, b.Top, b.Width, b.Height);
  if (services_) services_->BringPagerToTop();
  if (host_) host_->Repaint();
}

void TForm1::UpdateMouse() {
  if (MovingButton <= 0) return;
  TExeButton& b = Button(MovingButton);
  if (!ResizeMode) {
    // The bottom right corner follows the mouse point.
    b.Left = MouseX - b.Width;
    b.Top = MouseY - b.Height;
  } else {
    b.Width = std::max(MouseX - b.Left, kMinimumSide);
    b.Height = std::max(MouseY - b.Top, kMinimumSide);
  }
  if (pos_) pos_->Display(b.Left, b.Top, b.Width, b.Height);
  if (host_) host_->Repaint();
}

void TForm1::FormKeyDown(uint16_t key, ShiftState shift) {
  // Keys act only while a button is being moved; every other key is ignored.
  if (MovingButton <= 0) return;
  switch (key) {
    case vkLeft: --MouseX; break;
    case vkRight: ++MouseX; break;
    case vkUp: --MouseY; break;
    case vkDown: ++MouseY; break;
    case vkReturn:
    case vkTab: FormClick(); return;
    default: return;
  }
  ResizeMode = (shift & ssShift) != 0;
  UpdateMouse();
}

void TForm1::FormClick() {
  if (services_) services_->HideReadout();
  MovingButton = 0;
  // Gives back the buttons move mode disabled; free entries are hidden and stay disabled.
  for (int i = 1; i <= kButtonCount; ++i) Button(i).Enabled = Button(i).Visible;
  edge_.SetFreeze(false);
  if (host_) host_->Repaint();
  Save();
}

void TForm1::DropFiles(const std::string& fileName, int32_t x, int32_t y) {
  const std::string name = Trim(fileName);
  NewButton();
  if (HotButton == 0) return;
  TExeButton& b = Button(HotButton);
  b.Visible = true;
  b.Enabled = true;
  b.Left = x;
  b.Top = y;
  b.SetExeName(name);  // also its start folder, glyph and caption
  if (host_) host_->Repaint();
  if (services_) services_->ConfigureButton(HotButton);
  Save();
}

}  // namespace korvi
