#include "main/Desktops.h"

namespace korvi {

void PagerDesktops::Reset() {
  for (auto& w : data_.Wallpapers) w.clear();
  asked_ = given_ = data_.DesktopCount = 4;
  data_.CurrentDesktop = 1;
}

void PagerDesktops::SetCount(int32_t count) {
  asked_ = count;
  const int32_t fit = Fitting();
  given_ = data_.DesktopCount = count > fit ? fit : count;
}

int32_t PagerDesktops::FittingFor(const Rect& v) {
  // Seen from desktop 1, desktop n's windows reach out to Right + (n - 1) x width;
  // seen from desktop n, desktop 1's reach back to Left - (n - 1) x width.
  const int64_t w = v.Width();
  if (w <= 0) return kMaxDesktops;
  const int64_t right = (static_cast<int64_t>(kMaxCoord) - v.Right) / w;
  const int64_t left = (static_cast<int64_t>(v.Left) - kMinCoord) / w;
  const int64_t n = 1 + (right < left ? right : left);
  return n < 1 ? 1 : n > kMaxDesktops ? kMaxDesktops : static_cast<int32_t>(n);
}

int32_t PagerDesktops::Fitting() { return FittingFor(platform_.Windows.VirtualScreen()); }

void PagerDesktops::Apply(const PagerSettings& s) {
  SetCount(s.DesktopCount);
  data_.Wallpapers = s.Wallpapers;
  data_.PanelColors = s.PanelColors;
  // Korvi8 always starts on desktop 1 and moves no window when it starts.
  data_.CurrentDesktop = 1;
}

void PagerDesktops::Snapshot(PagerSettings& s) const {
  // A count asked for and not fitting stays in the file until the user picks another.
  s.DesktopCount = data_.DesktopCount == given_ ? asked_ : data_.DesktopCount;
  s.Wallpapers = data_.Wallpapers;
  s.PanelColors = data_.PanelColors;
}

bool PagerDesktops::Change(int32_t n, WindowHandle own) {
  if (!IsDesktop(n) || n > Fitting()) return false;
  // One snapshot, and every window's final place computed on it before anything
  // moves: the shift, then the gathering of windows stranded beyond the first or last
  // desktop. Moves are posted and land when each window's program gets to them, so
  // reading the windows back here would see old places and move them a second time.
  // Each window is moved once, to where it belongs.
  winList_.Load();
  const int32_t from = data_.CurrentDesktop;
  data_.CurrentDesktop = n;
  winList_.Shown = n;
  const bool gather = n == 1 || n == data_.DesktopCount;
  for (int i = 1; i <= kWinListSize; ++i) {
    const TWinData& e = winList_.Entry(i);
    if (e.Handle == 0 || e.Handle == own) continue;
    winList_.ShiftInfo(from, n, i);
    if (gather) winList_.GatherInfo(n == 1, i);
    winList_.MoveToEntry(i);
  }
  winList_.BringMinimisedOnScreen(own);
  return true;
}

void PagerDesktops::GatherAll(WindowHandle own) {
  winList_.Load();
  winList_.Shown = data_.CurrentDesktop;
  for (int i = 1; i <= kWinListSize; ++i) {
    const TWinData& e = winList_.Entry(i);
    if (e.Handle == 0 || e.Handle == own) continue;
    if (winList_.GatherAllInfo(i)) winList_.MoveToEntry(i);
  }
  winList_.BringMinimisedOnScreen(own);
}

TColor PagerDesktops::PanelColor() const { return data_.PanelColors[data_.CurrentDesktop]; }

void PagerDesktops::SetPanelColor(TColor c) {
  if (IsDesktop(data_.CurrentDesktop)) data_.PanelColors[data_.CurrentDesktop] = c;
}

void PagerDesktops::SetWallpaper(const std::string& file) {
  if (IsDesktop(data_.CurrentDesktop)) data_.Wallpapers[data_.CurrentDesktop] = file;
  DisplayWallpaper();
}

void PagerDesktops::DisplayWallpaper() {
  const int32_t d = data_.CurrentDesktop;
  if (!IsDesktop(d)) return;
  const std::string& name = data_.Wallpapers[d];
  if (!name.empty() && platform_.Files.FileExists(name)) platform_.Desktop.SetWallpaper(name);
}

void PagerDesktops::MoveWindowTo(int32_t target, int32_t index, WindowHandle own) {
  WindowHandle h = 0;
  if (index >= 1 && index <= kWinListSize && IsDesktop(target)) h = winList_.Entry(index).Handle;
  // The picked window takes the place windows of the target desktop have.
  winList_.Shown = data_.CurrentDesktop;
  if (h != 0 && h != own && h != winList_.RootWindow) winList_.MoveWindowInfo(target, data_.CurrentDesktop, index);
}

}  // namespace korvi
