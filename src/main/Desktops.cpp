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
  stickyClasses_ = s.StickyClasses;
  sticky_.SetClasses(s.StickyClasses);
  // Korvi8 always starts on desktop 1 and moves no window when it starts.
  data_.CurrentDesktop = 1;
}

void PagerDesktops::Snapshot(PagerSettings& s) const {
  // A count asked for and not fitting stays in the file until the user picks another.
  s.DesktopCount = data_.DesktopCount == given_ ? asked_ : data_.DesktopCount;
  s.Wallpapers = data_.Wallpapers;
  s.PanelColors = data_.PanelColors;
  s.StickyClasses = stickyClasses_;
}

void PagerDesktops::Load(const std::optional<Rect>& screen) {
  sticky_.ForgetGone();
  winList_.Load(screen);
}

bool PagerDesktops::Change(int32_t n, WindowHandle own, WindowHandle carried) {
  if (!IsDesktop(n)) return false;
  const Rect screen = platform_.Windows.VirtualScreen();
  if (n > FittingFor(screen)) return false;
  // One snapshot, and every window's final place computed on it before anything
  // moves: the shift, then the gathering of windows stranded beyond the first or last
  // desktop. Moves are posted and land when each window's program gets to them, so
  // reading the windows back here would see old places and move them a second time.
  // Each window is moved once, to where it belongs.
  Load(screen);
  const int32_t from = data_.CurrentDesktop;
  data_.CurrentDesktop = n;
  winList_.Shown = n;
  const bool gather = n == 1 || n == data_.DesktopCount;
  std::vector<int32_t> moved;
  for (int i = 1; i <= kWinListSize; ++i) {
    const TWinData& e = winList_.Entry(i);
    if (e.Handle == 0 || e.Handle == carried || Stays(e.Handle, own)) continue;
    winList_.ShiftInfo(from, n, i);
    if (gather) winList_.GatherInfo(n == 1, i);
    moved.push_back(i);
  }
  winList_.MoveToEntries(moved);
  winList_.BringMinimisedOnScreen(own);
  return true;
}

void PagerDesktops::GatherAll(WindowHandle own) {
  Load();
  winList_.Shown = data_.CurrentDesktop;
  std::vector<int32_t> moved;
  for (int i = 1; i <= kWinListSize; ++i) {
    const TWinData& e = winList_.Entry(i);
    if (e.Handle == 0 || Stays(e.Handle, own)) continue;
    if (winList_.GatherAllInfo(i)) moved.push_back(i);
  }
  winList_.MoveToEntries(moved);
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
  if (h != 0 && h != winList_.RootWindow && !Stays(h, own)) winList_.MoveWindowInfo(target, data_.CurrentDesktop, index);
}

bool PagerDesktops::SendWindow(WindowHandle window, int32_t target, WindowHandle own) {
  if (window == 0 || !IsDesktop(target) || target == data_.CurrentDesktop) return false;
  Load();
  for (int i = 2; i <= kWinListSize; ++i) {
    const WindowHandle h = winList_.Entry(i).Handle;
    if (h != window) continue;
    if (h == winList_.RootWindow || Stays(h, own)) return false;
    MoveWindowTo(target, i, own);
    return true;
  }
  return false;
}

void PagerDesktops::TogglePin(WindowHandle window, WindowHandle own) {
  if (window == 0 || window == own || !sticky_.TogglePin(window)) return;
  Load();
  winList_.Shown = data_.CurrentDesktop;
  for (int i = 2; i <= kWinListSize; ++i)
    if (winList_.Entry(i).Handle == window) {
      if (winList_.GatherAllInfo(i)) winList_.MoveToEntry(i);
      return;
    }
}

int32_t PagerDesktops::DesktopOf(const Rect& r) {
  const Rect v = platform_.Windows.VirtualScreen();
  const int64_t w = v.Width();
  if (w <= 0 || (r.Right > v.Left && r.Left < v.Right)) return data_.CurrentDesktop;
  const int64_t centre = (static_cast<int64_t>(r.Left) + r.Right) / 2 - v.Left;
  // Rounded down for windows to the left as well: -1 .. -w is one desktop to the left.
  const int64_t widths = centre >= 0 ? centre / w : -((-centre + w - 1) / w);
  // Far beyond any desktop only on a screen a few pixels wide; kept within 32 bits.
  constexpr int64_t kFar = int64_t{1} << 24;
  const int64_t d = data_.CurrentDesktop + (widths < -kFar ? -kFar : widths > kFar ? kFar : widths);
  return static_cast<int32_t>(d);
}

bool PagerDesktops::BringHere(WindowHandle window, WindowHandle own) {
  if (window == 0 || window == own) return false;
  winList_.Load();
  if (window == winList_.RootWindow) return false;
  for (int i = 2; i <= kWinListSize; ++i) {
    const TWinData& e = winList_.Entry(i);
    if (e.Handle != window) continue;
    const int32_t from = DesktopOf({e.Left, e.Top, e.Right, e.Bottom});
    winList_.Shown = data_.CurrentDesktop;
    // A shift by (from - current) widths towards the screen.
    winList_.MoveWindowInfo(data_.CurrentDesktop, from, i);
    return true;
  }
  return false;
}

}  // namespace korvi
