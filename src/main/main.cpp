#include "main/main.h"

namespace korvi {

TForm1::TForm1(SharedState& data, Platform& platform, TWinListDialog& winList, GlyphSource* glyphs)
    : data_(data), platform_(platform), winList_(winList) {
  for (auto& b : buttons_) b = std::make_unique<TExeButton>(glyphs);
  data_.Form = this;
  data_.Edge = &edge_;
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
  winList_.Load();
  for (int i = 1; i <= kWinListSize; ++i) {
    const TWinData& e = winList_.Entry(i);
    if (e.Handle != 0 && e.Handle != OwnWindow) winList_.MoveWindowInfo(data_.CurrentDesktop, n, i);
  }
  data_.CurrentDesktop = n;
  if (n == 1)
    winList_.Normalize(true);
  else if (n == data_.DesktopCount)
    winList_.Normalize(false);
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
