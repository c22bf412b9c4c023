#include "main/main.h"

#include "main/ClockPanel.h"
#include "main/StartupOverrides.h"
#include "panel/Settings.h"

#include <algorithm>

namespace korvi {

TForm1::TForm1(SharedState& data, Platform& platform, TWinListDialog& winList, GlyphSource* glyphs,
               LaunchServices* launch)
    : data_(data), platform_(platform), winList_(winList) {
  for (auto& b : buttons_) b = std::make_unique<TExeButton>(glyphs, launch);
  data_.Form = this;
  data_.Edge = &edge_;
}

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
  for (int i = 1; i <= kButtonCount; ++i) {
    TExeButton& b = Button(i);
    b.Tag = i;
    b.Caption = "(unused)";
    b.Width = 48;
    b.Height = 48;
    b.Visible = false;
    b.Enabled = false;
    b.OnClick = nullptr;
    b.IData = kind::Launcher;
  }
  for (int n = 1; n <= kMaxDesktops; ++n) {
    TExeButton& b = Button(n);
    b.Width = 75;
    b.Height = 25;
    b.ExeDisabled = true;
    b.SetExeName("");
    b.SetExeArgs("");
    b.SetExeStart("");
    b.SetGlyphName("");
    b.SetIconIndex(0);
    b.IData = n;
    b.OnClick = [this](TExeButton& s) { ButtonClick(s); };
    b.GroupIndex = 1001;
    b.Caption = "Desktop " + std::to_string(n);
    b.Font.Color = clRed;
  }
  for (auto& s : data_.LoadHistory) s = LoadSample{};
  for (auto& w : data_.Wallpapers) w.clear();
  data_.DesktopCount = 4;
  data_.CurrentDesktop = 1;
  ApplySelectorCount();
  SetSelectorDown(1);
  data_.ScratchFont = TFont{};
  data_.LastMinute = -1;
  ArrangeButtons();
  LoadSettings(data_, platform_.Files);
  ApplyStartupOverrides(*this, [this](TExeButton& s) { ButtonClick(s); });
  DisplayWallpaper();
  Timer1Timer();
}

void TForm1::Timer1Timer() {
  if (clocks_) clocks_->Tick();
}

void TForm1::ApplySelectorCount() {
  for (int n = 1; n <= kMaxDesktops; ++n) {
    Button(n).Enabled = n <= data_.DesktopCount;
    Button(n).Visible = Button(n).Enabled;
  }
}

void TForm1::SetSelectorDown(int32_t n) {
  for (int i = 1; i <= kButtonCount; ++i) {
    TExeButton& b = Button(i);
    if (b.GroupIndex == 1001) b.Down = (i == n);
  }
}

void TForm1::ButtonClick(TExeButton& button) {
  if (kind::IsDesktop(button.IData)) {
    SetSelectorDown(button.Tag);
    ChangeDesktop(button.IData);
  } else if (kind::IsClock(button.IData)) {
    if (clocks_) clocks_->StepClockStyle(button);
  } else if (kind::IsGauge(button.IData)) {
    if (clocks_) clocks_->StepGaugeStyle(button);
  }
  if (host_) host_->Repaint();
}

void TForm1::ArrangeButtons() {
  int32_t x = 4, y = 4, rowHeight = 0;
  const int32_t width = Width();
  for (int i = 1; i <= kButtonCount; ++i) {
    TExeButton& b = Button(i);
    if (!b.Enabled) continue;
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
  if (host_) host_->Repaint();
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
  if (host_) host_->Repaint();
}

void TForm1::SetStayOnTop(bool v) {
  stayOnTop_ = v;
  if (host_) host_->SetStayOnTop(v);
}

void TForm1::ChangeDesktop(int32_t n) {
  if (n < 1 || n > kMaxDesktops) return;
  // One snapshot, and every window's final place computed on it before anything
  // moves: the shift, then the gathering of windows stranded beyond the first or last
  // desktop. Moves are posted and land when each window's program gets to them, so
  // reading the windows back here would see old places and move them a second time.
  // Each window is moved once, to where it belongs.
  winList_.Load();
  const int32_t from = data_.CurrentDesktop;
  data_.CurrentDesktop = n;
  const bool gather = n == 1 || n == data_.DesktopCount;
  for (int i = 1; i <= kWinListSize; ++i) {
    const TWinData& e = winList_.Entry(i);
    if (e.Handle == 0 || e.Handle == OwnWindow) continue;
    winList_.ShiftInfo(from, n, i);
    if (gather) winList_.GatherInfo(n == 1, i);
    winList_.MoveToEntry(i);
  }
  SetColor(data_.PanelColors[n]);
  DisplayWallpaper();
}

void TForm1::DisplayWallpaper() {
  int d = data_.CurrentDesktop;
  if (d < 1 || d > kMaxDesktops) return;
  const std::string& name = data_.Wallpapers[d];
  if (!name.empty() && platform_.Files.FileExists(name)) platform_.Desktop.SetWallpaper(name);
}

}  // namespace korvi
