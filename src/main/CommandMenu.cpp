// The command menu: one handler for the menu's opening and every item. What a
// command does is in RunCommand; whether it keeps the panel out while it runs and
// whether the settings are saved after it is in ShapeOf, the one place for both.
#include "main/main.h"
#include "panel/FreezeGuard.h"
#include "panel/Settings.h"

#include <optional>

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

bool IsDeskCount(int32_t t) { return t > tag::DeskCount && t <= tag::DeskCount + kMaxDesktops; }
bool IsDeskSelect(int32_t t) { return t > tag::DeskSelect && t <= tag::DeskSelect + kMaxDesktops; }
bool IsDockEdge(int32_t t) { return t >= tag::DockTop && t <= tag::DockRight; }

struct CommandShape {
  bool HoldsPanel = false;  // opens a window or lays out: the panel stays out meanwhile
  bool Saves = false;       // the settings are saved after it
};

CommandShape ShapeOf(int32_t t) {
  if (IsDeskCount(t) || IsDockEdge(t)) return {false, true};
  switch (t) {
    case tag::NewExe:
    case tag::Configure:
    case tag::PanelColor:
    case tag::Arrange:
    case tag::Wallpaper: return {true, true};
    case tag::SetHotkeys: return {true, true};
    case tag::MoveWindow:
    case tag::StickyWindow: return {true, false};
    case tag::GatherOnExit:
    case tag::FollowFocus:
    case tag::OnTop:
    case tag::AutoHide:
    case tag::Smooth:
    case tag::NewClock:
    case tag::NewLoad:
    case tag::NewControl:
    case tag::NewExplorer: return {false, true};
    default: return {};
  }
}

}  // namespace

void TForm1::RefreshMenu() {
  Popup1.Find("ppOnTop")->Checked = StayOnTop();
  Popup1.Find("ppHide")->Checked = edge_.AutoFull();
  Popup1.Find("ppSmooth")->Checked = edge_.Smooth();
  Popup1.Find("ppGatherOnExit")->Checked = gatherOnExit_;
  Popup1.Find("ppFollowFocus")->Checked = follow_.Mode() != FocusFollow::Off;

  const uint8_t e = DockEdge();
  const int32_t edgeTag = e == edge::Top      ? tag::DockTop
                          : e == edge::Bottom ? tag::DockBottom
                          : e == edge::Right  ? tag::DockRight
                                              : tag::DockLeft;
  CheckRadio(Popup1, tag::DockTop, tag::DockRight, edgeTag);

  // A number beyond the menu's checks its last item.
  const auto upTo10 = [](int32_t n) { return n >= 1 && n < kMaxDesktops ? n : kMaxDesktops; };
  const int32_t count = desktops_.Count();
  CheckRadio(Popup1, tag::DeskCount + 1, tag::DeskCount + kMaxDesktops, tag::DeskCount + upTo10(count));
  CheckRadio(Popup1, tag::DeskSelect + 1, tag::DeskSelect + kMaxDesktops, tag::DeskSelect + upTo10(desktops_.Current()));
  // Counts too many for the screen's width to keep within 16-bit positions are not offered.
  const int32_t fit = desktops_.Fitting();
  for (int n = 1; n <= kMaxDesktops; ++n) {
    Popup1.FindTag(tag::DeskSelect + n)->Enabled = n <= count;
    Popup1.FindTag(tag::DeskCount + n)->Enabled = n <= fit;
  }

  // The three items that act on the hot button name it; the selectors cannot be removed.
  const std::string hot = std::to_string(HotButton);
  if (HotButton > ButtonTable::kSelectors)
    SetItem(Popup1, "ppDelete", true, "Remove Button " + hot);
  else
    SetItem(Popup1, "ppDelete", false, "Remove Button ...");
  if (ButtonTable::IsSelector(HotButton))
    SetItem(Popup1, "ppMoveWindow", true, "Move Window to Desktop " + hot);
  else
    SetItem(Popup1, "ppMoveWindow", false, "Move Window ...");
  if (HotButton > 0)
    SetItem(Popup1, "ppMove", true, "Move Button " + hot);
  else
    SetItem(Popup1, "ppMove", false, "Move Button ...");
}

void TForm1::Popup1Popup(int32_t t) {
  if (t == tag::Opening) {
    EndMoveMode();
    return RefreshMenu();
  }
  const CommandShape shape = ShapeOf(t);
  {
    std::optional<FreezeGuard> freeze;
    if (shape.HoldsPanel) freeze.emplace(edge_);
    RunCommand(t);
  }
  if (shape.Saves) Save();
}

void TForm1::RunCommand(int32_t t) {
  if (IsDeskCount(t)) {
    return SetDeskCount(t - tag::DeskCount);
  }
  if (IsDockEdge(t)) {
    static constexpr uint8_t kEdges[] = {edge::Top, edge::Bottom, edge::Left, edge::Right};
    SetDockEdge(kEdges[t - tag::DockTop]);
    return;
  }
  if (IsDeskSelect(t)) {
    ChangeDesktop(t - tag::DeskSelect);
    SetSelectorDown(t - tag::DeskSelect);
    Repaint();
    return;
  }
  switch (t) {
    case tag::Exit:
      // Saved first; the program then ends whatever the save said. Windows of other
      // desktops stay where they are unless the user asked for them at "Exit".
      Save(SaveMoment::Exit);
      if (gatherOnExit_) GatherAll();
      // Nothing for the guardian to bring back after a normal Exit.
      platform_.Windows.ForgetHomes();
      if (services_) services_->EndProgram();
      return;
    case tag::About:
      if (services_) services_->ShowAbout();
      return;
    case tag::Help:
      if (services_) services_->ShowHelp();
      return;
    case tag::OnTop: SetStayOnTop(!StayOnTop()); return;
    case tag::AutoHide: edge_.SetAutoFull(!edge_.AutoFull()); return;
    case tag::Smooth: edge_.SetSmooth(!edge_.Smooth()); return;
    case tag::NewExe:
      NewButton();
      ConfigureButton(HotButton);
      return;
    case tag::NewClock:
    case tag::NewLoad:
    case tag::NewControl:
    case tag::NewExplorer: {
      static constexpr SetUp kKinds[] = {SetUp::Clock, SetUp::Load, SetUp::ControlPanel, SetUp::Explorer};
      NewButton();
      if (HotButton > 0) SetUpButton(Button(HotButton), kKinds[t - tag::NewClock]);
      return;
    }
    case tag::RemoveButton: RemoveButton(); return;
    case tag::Configure: ConfigureButton(HotButton); return;
    case tag::MoveWindow: MoveWindowToDesktop(); return;
    case tag::GatherAll: GatherAll(); return;
    case tag::GatherOnExit: gatherOnExit_ = !gatherOnExit_; return;
    case tag::FollowFocus: follow_.Toggle(); return;
    case tag::PanelColor: SetPanelColor(); return;
    case tag::Arrange: ArrangeButtons(); return;
    case tag::MoveButton: MoveButton(); return;
    case tag::Wallpaper: SetWallpaper(); return;
    case tag::SetHotkeys: SetHotkeys(); return;
    case tag::StickyWindow: ToggleStickyWindow(); return;
    default: return;  // the submenu headers
  }
}

void TForm1::SetDeskCount(int32_t count) {
  // Only the selectors follow: the current desktop stays, even above the new count,
  // and no window moves.
  desktops_.SetCount(count);
  table_.ShowSelectors(count);
  table_.PlaceNewSelectors(Width());
  Repaint();
}

void TForm1::ConfigureButton(int32_t n) {
  if (services_) services_->ConfigureButton(n);
  Repaint();
}

void TForm1::RemoveButton() {
  if (HotButton <= ButtonTable::kSelectors || HotButton > kButtonCount || !services_) return;
  const int32_t n = HotButton;
  if (!services_->Confirm("Remove Button " + std::to_string(n) + "?")) return;
  // The entry becomes free; its other properties stay for the next NewButton.
  Button(n).Enabled = false;
  Button(n).Visible = false;
  Repaint();
  Save();
}

void TForm1::MoveWindowToDesktop() {
  if (!services_) return;
  const int32_t target = HotButton;
  desktops_.MoveWindowTo(target, services_->SelectWindow(), OwnWindow);
  follow_.OwnMove();
}

void TForm1::SetPanelColor() {
  if (!services_) return;
  TColor c = Color();
  if (!services_->PickColor(c)) return;
  SetColor(c);
  desktops_.SetPanelColor(c);
}

void TForm1::SetWallpaper() {
  if (!services_) return;
  std::string file;
  if (!services_->ChooseImage(file)) return;
  // A picture whose name the settings file cannot hold would be lost at the next start.
  if (!SettingsFileCanHold(data_, platform_.Files, file)) {
    platform_.Desktop.ShowError("The wallpaper was not set: the settings file " + data_.SettingsPath +
                                " is in the ANSI code page, which has no characters for some of the name\n" + file);
    return;
  }
  desktops_.SetWallpaper(file);
}

}  // namespace korvi
