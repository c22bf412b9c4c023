// The panel's buttons as a group, as the pager's commands use them: new entries,
// the ready-made kinds, move mode and files dropped on the panel.
#include "main/main.h"
#include "panel/Settings.h"
#include "util/Text.h"

namespace korvi {

void TForm1::NewButton() {
  HotButton = table_.TakeFree();
  if (HotButton) Repaint();
}

void TForm1::SetUpButton(TExeButton& b, SetUp kind) {
  table_.SetUp(b, kind, data_.ProgramDir);
  Repaint();
}

void TForm1::MoveButton() {
  if (HotButton <= 0 || HotButton > kButtonCount) return;
  edge_.SetFreeze(true);  // released by FormClick, which ends move mode
  MovingButton = HotButton;
  // Disabled, the buttons let the mouse through to the panel's own handlers.
  table_.DisableAll();
  const TExeButton& b = Button(MovingButton);
  if (services_) services_->ShowReadout();
  if (pos_) pos_->Display(b.Left, b.Top, b.Width, b.Height);
  if (services_) services_->BringPagerToTop();
  Repaint();
}

void TForm1::UpdateMouse() {
  if (MovingButton <= 0) return;
  TExeButton& b = Button(MovingButton);
  PanelPointer::MoveTo(b, MouseX, MouseY, ResizeMode);
  if (pos_) pos_->Display(b.Left, b.Top, b.Width, b.Height);
  Repaint();
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
  table_.EnableShown();
  edge_.SetFreeze(false);
  Repaint();
  Save();
}

void TForm1::EndMoveMode() {
  if (MovingButton > 0) FormClick();
}

void TForm1::DropFiles(const std::string& fileName, int32_t x, int32_t y) {
  EndMoveMode();
  const std::string name = Trim(fileName);
  // A launcher whose file name the settings file cannot hold would be lost at the next start.
  if (!SettingsFileCanHold(data_, platform_.Files, name)) {
    platform_.Desktop.ShowError("No launcher was made for " + name + ": the settings file " + data_.SettingsPath +
                                " is in the ANSI code page, which has no characters for some of the name.");
    return;
  }
  NewButton();
  if (HotButton == 0) return;
  TExeButton& b = Button(HotButton);
  b.Visible = true;
  b.Enabled = true;
  b.Left = x;
  b.Top = y;
  b.SetExeName(name);  // also its start folder, glyph and caption
  Repaint();
  if (services_) services_->ConfigureButton(HotButton);
  Save();
}

}  // namespace korvi
