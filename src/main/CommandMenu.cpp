// The command menu: one handler for the menu's opening (tag 0) and every item.
#include "panel/FreezeGuard.h"
#include "main/main.h"
#include "panel/Settings.h"

namespace korvi {

namespace {

// Checks the one item of a radio group whose tag is `tag` and clears the others.
void CheckRadio(TPopupMenu& menu, int32_t firstTag, int32_t lastTag, int32_t tag) {
  for (int32_t t = firstTag; t <= lastTag; ++t)
    if (TMenuItem* i = menu.FindTag(t)) i->Checked = (t == tag);
}

void SetItem(TPopupMenu& menu, const char* name, bool enabled, const std::string& caption) {
  if (TMenuItem* i = menu.Find(name)) {
    i->Enabled = enabled;
    i->Caption = caption;
  }
}

}  // namespace

void TForm1::RefreshMenu() {
  Popup1.Find("ppOnTop")->Checked = StayOnTop();
  Popup1.Find("ppHide")->Checked = edge_.AutoFull();
  Popup1.Find("ppSmooth")->Checked = edge_.Smooth();

  const uint8_t e = DockEdge();
  const int32_t edgeTag = e == edge::Top ? 204 : e == edge::Bottom ? 205 : e == edge::Right ? 207 : 206;
  CheckRadio(Popup1, 204, 207, edgeTag);

  const int32_t count = data_.DesktopCount;
  CheckRadio(Popup1, 101, 110, count >= 1 && count <= 9 ? 100 + count : 110);
  const int32_t current = data_.CurrentDesktop;
  CheckRadio(Popup1, 301, 310, current >= 1 && current <= 9 ? 300 + current : 310);
  for (int n = 1; n <= kMaxDesktops; ++n) Popup1.FindTag(300 + n)->Enabled = n <= count;

  // The three items that act on the hot button name it; the selectors cannot be removed.
  const std::string hot = std::to_string(HotButton);
  if (HotButton > 10)
    SetItem(Popup1, "ppDelete", true, "Remove Button " + hot);
  else
    SetItem(Popup1, "ppDelete", false, "Remove Button ...");
  if (HotButton >= 1 && HotButton <= 10)
    SetItem(Popup1, "ppMoveWindow", true, "Move Window to Desktop " + hot);
  else
    SetItem(Popup1, "ppMoveWindow", false, "Move Window ...");
  if (HotButton > 0)
    SetItem(Popup1, "ppMove", true, "Move Button " + hot);
  else
    SetItem(Popup1, "ppMove", false, "Move Button ...");
}

void TForm1::Popup1Popup(int32_t tag) {
  if (tag == 0) {
    RefreshMenu();
    return;
  }
  if (tag >= 101 && tag <= 110) return SetDeskCount(tag - 100);
  if (tag >= 204 && tag <= 207) {
    static constexpr uint8_t kEdges[] = {edge::Top, edge::Bottom, edge::Left, edge::Right};
    SetDockEdge(kEdges[tag - 204]);
    return Save();
  }
  if (tag >= 301 && tag <= 310) {
    ChangeDesktop(tag - 300);
    SetSelectorDown(tag - 300);
    if (host_) host_->Repaint();
    return;
  }
  switch (tag) {
    case 1:
      // Saved first; the program then ends whatever the save said.
      Save();
      if (services_) services_->EndProgram();
      return;
    case 2:
      if (services_) services_->ShowAbout();
      return;
    case 3:
      if (services_) services_->ShowHelp();
      return;
    case 201:
      SetStayOnTop(!StayOnTop());
      return Save();
    case 202:
      edge_.SetAutoFull(!edge_.AutoFull());
      return Save();
    case 203:
      edge_.SetSmooth(!edge_.Smooth());
      return Save();
    case 401:
      NewButton();
      ConfigureButton(HotButton);
      return Save();
    case 402:
    case 403:
    case 404:
    case 405: {
      static constexpr SetUp kKinds[] = {SetUp::Clock, SetUp::Load, SetUp::ControlPanel, SetUp::Explorer};
      NewButton();
      if (HotButton > 0) SetUpButton(Button(HotButton), kKinds[tag - 402]);
      return Save();
    }
    case 406: return RemoveButton();
    case 407:
      ConfigureButton(HotButton);
      return Save();
    case 501: return MoveWindowToDesktop();
    case 502:
      SetPanelColor();
      return Save();
    case 503: {
      FreezeGuard freeze(edge_);
      ArrangeButtons();
    }
      return Save();
    case 504: return MoveButton();
    case 505:
      SetWallpaper();
      return Save();
    default: return;  // the submenu headers 100, 200 and 300
  }
}

void TForm1::SetDeskCount(int32_t count) {
  // Only the selectors follow: the current desktop stays, even above the new count,
  // and no window moves.
  data_.DesktopCount = count;
  ApplySelectorCount();
  if (host_) host_->Repaint();
  Save();
}

void TForm1::ConfigureButton(int32_t n) {
  FreezeGuard freeze(edge_);
  if (services_) services_->ConfigureButton(n);
  if (host_) host_->Repaint();
}

void TForm1::RemoveButton() {
  if (HotButton <= 10 || HotButton > kButtonCount || !services_) return;
  const int32_t n = HotButton;
  if (!services_->Confirm("Remove Button " + std::to_string(n) + "?")) return;
  // The entry becomes free; its other properties stay for the next NewButton.
  Button(n).Enabled = false;
  Button(n).Visible = false;
  if (host_) host_->Repaint();
  Save();
}

void TForm1::MoveWindowToDesktop() {
  FreezeGuard freeze(edge_);
  if (!services_) return;
  const int32_t target = HotButton;
  const int32_t index = services_->SelectWindow();
  WindowHandle h = 0;
  if (index >= 1 && index <= kWinListSize && target >= 1 && target <= kMaxDesktops) h = winList_.Entry(index).Handle;
  // The picked window takes the place windows of the target desktop have.
  if (h != 0 && h != OwnWindow && h != winList_.RootWindow) winList_.MoveWindowInfo(target, data_.CurrentDesktop, index);
}

void TForm1::SetPanelColor() {
  FreezeGuard freeze(edge_);
  if (!services_) return;
  TColor c = Color();
  if (!services_->PickColor(c)) return;
  SetColor(c);
  const int32_t d = data_.CurrentDesktop;
  if (d >= 1 && d <= kMaxDesktops) data_.PanelColors[d] = c;
}

void TForm1::SetWallpaper() {
  // A dialog is open meanwhile: the panel stays out.
  FreezeGuard freeze(edge_);
  if (!services_) return;
  std::string file;
  if (!services_->ChooseImage(file)) return;
  const int32_t d = data_.CurrentDesktop;
  if (d >= 1 && d <= kMaxDesktops) data_.Wallpapers[d] = file;
  DisplayWallpaper();
}

}  // namespace korvi
