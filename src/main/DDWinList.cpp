#include "main/DDWinList.h"

namespace korvi {

void TWinListDialog::Load() {
  RootWindow = windows_.DesktopWindow();
  GetWindowInfo(RootWindow, Entry(1));
  Entry(1).Title = "(root window)";
  int n = 1;
  WindowHandle h = windows_.TopWindow(RootWindow);
  while (h != 0 && n < kWinListSize) {
    if (windows_.IsWindow(h) && !windows_.IsIconic(h) && windows_.IsWindowVisible(h)) {
      ++n;
      GetWindowInfo(h, Entry(n));
    }
    h = windows_.NextWindow(h);
  }
  for (int i = n + 1; i <= kWinListSize; ++i) Entry(i).Handle = 0;
}

void TWinListDialog::GetWindowInfo(WindowHandle handle, TWinData& e) {
  e.Handle = handle;
  Rect r = windows_.WindowRect(handle);
  e.Left = r.Left;
  e.Right = r.Right;
  e.Top = r.Top;
  e.Bottom = r.Bottom;
  e.Title = windows_.WindowText(handle);
  if (e.Title.size() > 127) e.Title.resize(127);
}

void TWinListDialog::MoveWindowInfo(int32_t from, int32_t to, int32_t index) {
  if (index < 1 || index > kWinListSize) return;
  TWinData& e = Entry(index);
  if (e.Handle == 0) return;
  // Arithmetic in 64 bits and wrapped back, so that windows far off screen never overflow.
  const int64_t w = windows_.ScreenWidth();
  const int64_t shift = w * (from - 1) - w * (to - 1);
  e.Left = static_cast<int32_t>(static_cast<uint32_t>(e.Left + shift));
  e.Right = static_cast<int32_t>(static_cast<uint32_t>(e.Right + shift));
  MoveToEntry(e);
}

void TWinListDialog::Normalize(bool AtFirst) {
  Load();
  const int32_t w = windows_.ScreenWidth();
  if (w <= 0) return;  // no screen: nothing can be brought onto it
  for (TWinData& e : WinList) {
    if (e.Handle == 0) continue;
    // Whole screen-width steps, counted at once: the same result as stepping one width
    // at a time while the window lies wholly outside, without looping for far windows.
    int64_t steps = 0;
    if (AtFirst && e.Right < 0) steps = (-static_cast<int64_t>(e.Right) + w - 1) / w;
    if (!AtFirst && e.Left > w) steps = -((static_cast<int64_t>(e.Left) - w + w - 1) / w);
    if (steps == 0) continue;
    e.Left = static_cast<int32_t>(e.Left + steps * w);
    e.Right = static_cast<int32_t>(e.Right + steps * w);
    MoveToEntry(e);
  }
}

void TWinListDialog::MoveToEntry(const TWinData& e) {
  windows_.MoveWindow(e.Handle, e.Left, e.Top, e.Right - e.Left, e.Bottom - e.Top);
}

}  // namespace korvi
