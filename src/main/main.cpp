#include "main/main.h"

#include "main/ClockPanel.h"
#include "panel/FreezeGuard.h"
#include "panel/Settings.h"

namespace korvi {

TForm1::TForm1(SharedState& data, Platform& platform, TWinListDialog& winList, GlyphSource* glyphs,
               LaunchServices* launch)
    : data_(data),
      platform_(platform),
      table_(glyphs, launch, [this](TExeButton& s) { ButtonClick(s); }),
      desktops_(data, platform, winList),
      follow_(platform.Windows, desktops_,
              {[this](int32_t n) {
                 ChangeDesktop(n);
                 SetSelectorDown(n);
                 Repaint();
               },
               [this](WindowHandle h) { desktops_.BringHere(h, OwnWindow); }}) {}

void TForm1::FormCreate(const std::string& programDir) {
  MouseX = MouseY = HotButton = MovingButton = 0;
  ResizeMode = false;
  data_.SetProgramDir(programDir);
  if (docked_ && edgeHost_ && outline_) {
    FormHandlers own;
    own.OnClick = [this] { FormClick(); };
    own.OnMouseMove = [this](ShiftState s, int32_t x, int32_t y) { FormMouseMove(s, x, y); };
    own.OnKeyDown = [this](uint16_t k, ShiftState s) { FormKeyDown(k, s); };
    edge_.Attach(*docked_, *edgeHost_, *outline_, platform_.Windows, std::move(own));
  }
  edge_.SetAutoFull(false);
  edge_.SetInterval(1000);
  desktops_.Reset();
  table_.Reset(desktops_.Count());
  for (auto& s : data_.LoadHistory) s = LoadSample{};
  data_.LastMinute = -1;
  ArrangeButtons();
  LoadSettings();
  DisplayWallpaper();
  Timer1Timer();
  follow_.Start();
}

void TForm1::LoadSettings() {
  // The panel expands and stays so meanwhile.
  FreezeGuard freeze(edge_, FreezeGuard::End::Release);
  Apply(korvi::LoadSettings(data_, platform_.Files));
}

void TForm1::Save(SaveMoment moment) {
  // Freezing expands a collapsed panel first, so the size saved is the expanded thickness.
  FreezeGuard freeze(edge_, FreezeGuard::End::Release);
  SaveSettings(Snapshot(), data_, platform_.Files, platform_.Desktop, moment);
}

void TForm1::Apply(const PagerSettings& s) {
  SetDockEdge(s.Form.Edge);
  edge_.SetSize(s.Form.Size);  // 0 or less is ignored by Size
  edge_.SetSmooth(s.Form.Smooth);
  edge_.SetAutoFull(s.Form.Hide);
  SetColor(s.Form.Color);
  SetStayOnTop(s.Form.OnTop);
  gatherOnExit_ = s.GatherOnExit;
  hotkeys_.Apply(s.Hotkeys);
  follow_.SetMode(s.FollowFocus);
  desktops_.Apply(s);
  table_.Apply(s.Buttons);
  table_.MakeSelectors(desktops_.Count());
  table_.PlaceNewSelectors(Width());
}

PagerSettings TForm1::Snapshot() const {
  PagerSettings s;
  s.Form.Edge = DockEdge();
  s.Form.Size = edge_.Size();
  s.Form.Smooth = edge_.Smooth();
  s.Form.OnTop = StayOnTop();
  s.Form.Hide = edge_.AutoFull();
  s.Form.Color = Color();
  s.GatherOnExit = gatherOnExit_;
  s.Hotkeys = hotkeys_.Texts();
  s.FollowFocus = follow_.Mode();
  desktops_.Snapshot(s);
  table_.Snapshot(s.Buttons);
  return s;
}

void TForm1::Timer1Timer() {
  if (clocks_) clocks_->Tick();
}

void TForm1::SetSelectorDown(int32_t n) { table_.SetSelectorDown(n); }

void TForm1::ButtonClick(TExeButton& button) {
  if (kind::IsDesktop(button.IData)) {
    SetSelectorDown(button.Tag);
    ChangeDesktop(button.IData);
  } else if (kind::IsClock(button.IData)) {
    if (clocks_) clocks_->StepClockStyle(button);
  } else if (kind::IsGauge(button.IData)) {
    if (clocks_) clocks_->StepGaugeStyle(button);
  }
  Repaint();
}

void TForm1::ArrangeButtons() {
  table_.Arrange(Width());
  Repaint();
}

void TForm1::AttachHost(FormHost* host, EdgeHost* edgeHost, ScreenOutline* outline) {
  host_ = host;
  edgeHost_ = edgeHost;
  outline_ = outline;
  docked_ = host ? std::make_unique<DockedWindow>(*host, platform_.Windows, dockEdge_) : nullptr;
}

void TForm1::SetDockEdge(uint8_t e) {
  dockEdge_ = e;
  if (docked_) docked_->SetEdge(e);
}

void TForm1::SetColor(TColor c) {
  color_ = c;
  Repaint();
}

void TForm1::SetStayOnTop(bool v) {
  stayOnTop_ = v;
  if (host_) host_->SetStayOnTop(v);
}

void TForm1::ChangeDesktop(int32_t n, WindowHandle carried) {
  if (!desktops_.Change(n, OwnWindow, carried)) return;
  SetColor(desktops_.PanelColor());
  DisplayWallpaper();
  follow_.OwnMove();
}

void TForm1::DisplayWallpaper() { desktops_.DisplayWallpaper(); }

void TForm1::GatherAll() { desktops_.GatherAll(OwnWindow); }

void TForm1::EndSession(int32_t ms) {
  GatherAll();
  platform_.Windows.SettleMoves(ms);
}

}  // namespace korvi
