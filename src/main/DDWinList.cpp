#include "main/DDWinList.h"

namespace korvi {

void TWinListDialog::Load() {
  const WindowSnapshot s = windows_.TopLevelWindows();
  RootWindow = s.Root.Handle;
  GetWindowInfo(s.Root, Entry(1));
  Entry(1).Title = "(root window)";
  int n = 1;
  for (const WindowInfo& w : s.Windows) {
    if (n >= kWinListSize) break;
    if (w.Minimised || !w.Visible) continue;
    GetWindowInfo(w, Entry(++n));
  }
  for (int i = n + 1; i <= kWinListSize; ++i) Entry(i).Handle = 0;
}

void TWinListDialog::GetWindowInfo(const WindowInfo& w, TWinData& e) {
  e.Handle = w.Handle;
  e.Left = w.Bounds.Left;
  e.Right = w.Bounds.Right;
  e.Top = w.Bounds.Top;
  e.Bottom = w.Bounds.Bottom;
  e.Title = w.Title.substr(0, 127);
}

void TWinListDialog::ShiftInfo(int32_t from, int32_t to, int32_t index) {
  if (index < 1 || index > kWinListSize) return;
  TWinData& e = Entry(index);
  if (e.Handle == 0) return;
  // Arithmetic in 64 bits and wrapped back, so that windows far off screen never overflow.
  const int64_t w = windows_.ScreenWidth();
  const int64_t shift = w * (from - 1) - w * (to - 1);
  e.Left = static_cast<int32_t>(static_cast<uint32_t>(e.Left + shift));
  e.Right = static_cast<int32_t>(static_cast<uint32_t>(e.Right + shift));
}

void TWinListDialog::MoveWindowInfo(int32_t from, int32_t to, int32_t index) {
  if (index < 1 || index > kWinListSize || Entry(index).Handle == 0) return;
  ShiftInfo(from, to, index);
  MoveToEntry(index);
}

bool TWinListDialog::GatherInfo(bool AtFirst, int32_t index) {
  TWinData& e = Entry(index);
  const int32_t w = windows_.ScreenWidth();
  if (e.Handle == 0 || w <= 0) return false;  // no screen: nothing can be brought onto it
  // Whole screen-width steps, counted at once: the same result as stepping one width
  // at a time while the window lies wholly outside, without looping for far windows.
  int64_t steps = 0;
  if (AtFirst && e.Right < 0) steps = (-static_cast<int64_t>(e.Right) + w - 1) / w;
  if (!AtFirst && e.Left > w) steps = -((static_cast<int64_t>(e.Left) - w + w - 1) / w);
  if (steps == 0) return false;
  e.Left = static_cast<int32_t>(e.Left + steps * w);
  e.Right = static_cast<int32_t>(e.Right + steps * w);
  return true;
}

void TWinListDialog::Normalize(bool AtFirst) {
  for (int i = 1; i <= kWinListSize; ++i)
    if (GatherInfo(AtFirst, i)) MoveToEntry(i);
}

void TWinListDialog::MoveToEntry(int32_t index) {
  const TWinData& e = Entry(index);
  // The root window is recorded but never moved: only its entry changes.
  if (e.Handle == 0 || e.Handle == RootWindow) return;
  windows_.MoveWindow(e.Handle, {e.Left, e.Top, e.Right, e.Bottom});
}

}  // namespace korvi
