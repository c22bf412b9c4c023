#include "main/DDWinList.h"

#include "util/Text.h"

namespace korvi {

namespace {
// `at` stepped by whole widths of `screen` until it reaches into it, as gathering steps;
// nothing for a rectangle already reaching into it, or without a screen.
std::optional<Rect> StepOntoScreen(const Rect& at, const Rect& screen) {
  const int64_t w = screen.Width();
  if (w <= 0 || (at.Right > screen.Left && at.Left < screen.Right)) return std::nullopt;
  Rect r = at;
  int64_t steps = 0;
  if (r.Right <= screen.Left) steps = (static_cast<int64_t>(screen.Left) - r.Right) / w + 1;
  if (r.Left >= screen.Right) steps = -((static_cast<int64_t>(r.Left) - screen.Right) / w + 1);
  r.Left = static_cast<int32_t>(r.Left + steps * w);
  r.Right = static_cast<int32_t>(r.Right + steps * w);
  return r;
}
}  // namespace

void TWinListDialog::Load(const std::optional<Rect>& screen) {
  const WindowSnapshot s = windows_.TopLevelWindows();
  screen_ = screen ? *screen : windows_.VirtualScreen();
  RootWindow = s.Root.Handle;
  GetWindowInfo(s.Root, Entry(1));
  Entry(1).Title = "(root window)";
  int n = 1;
  Minimised.clear();
  for (const WindowInfo& w : s.Windows) {
    if (w.Minimised && w.Visible && w.Restored.Width() > 0) Minimised.push_back(w);
    if (n >= kWinListSize || w.Minimised || !w.Visible) continue;
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
  e.Title = Utf8Prefix(w.Title, 127);
}

void TWinListDialog::ShiftInfo(int32_t from, int32_t to, int32_t index) {
  if (index < 1 || index > kWinListSize) return;
  TWinData& e = Entry(index);
  if (e.Handle == 0) return;
  // Arithmetic in 64 bits: a desktop is one width of the whole virtual screen.
  const int64_t w = Screen().Width();
  const int64_t shift = w * (from - 1) - w * (to - 1);
  int64_t left = e.Left + shift, right = e.Right + shift;
  // Positions beyond 16 bits are clamped by the system, and a window put there comes
  // back at another place. The desktop count keeps every desktop's windows within
  // them; a window hanging far out of its desktop is kept within them too, whole.
  if (left < kMinCoord && right - left <= kMaxCoord - kMinCoord) {
    right += kMinCoord - left;
    left = kMinCoord;
  }
  if (right > kMaxCoord && right - left <= kMaxCoord - kMinCoord) {
    left -= right - kMaxCoord;
    right = kMaxCoord;
  }
  e.Left = static_cast<int32_t>(static_cast<uint32_t>(left));
  e.Right = static_cast<int32_t>(static_cast<uint32_t>(right));
}

void TWinListDialog::MoveWindowInfo(int32_t from, int32_t to, int32_t index) {
  if (index < 1 || index > kWinListSize || Entry(index).Handle == 0) return;
  screen_ = windows_.VirtualScreen();  // the table may be older than the screen
  ShiftInfo(from, to, index);
  MoveToEntry(index);
}

bool TWinListDialog::GatherInfo(bool AtFirst, int32_t index) {
  TWinData& e = Entry(index);
  const Rect screen = Screen();
  const int64_t w = screen.Width();
  if (e.Handle == 0 || w <= 0) return false;  // no screen: nothing can be brought onto it
  // Whole virtual-screen-width steps, counted at once, until the window reaches into
  // the screen: a window whose right edge is the screen's left edge (or whose left
  // edge is its right edge) shows no pixel, so it is stepped too.
  int64_t steps = 0;
  if (AtFirst && e.Right <= screen.Left) steps = (static_cast<int64_t>(screen.Left) - e.Right) / w + 1;
  if (!AtFirst && e.Left >= screen.Right) steps = -((static_cast<int64_t>(e.Left) - screen.Right) / w + 1);
  if (steps == 0) return false;
  e.Left = static_cast<int32_t>(e.Left + steps * w);
  e.Right = static_cast<int32_t>(e.Right + steps * w);
  return true;
}

bool TWinListDialog::GatherAllInfo(int32_t index) {
  const bool left = GatherInfo(true, index);
  return GatherInfo(false, index) || left;
}

void TWinListDialog::Normalize(bool AtFirst) {
  screen_ = windows_.VirtualScreen();  // the table may be older than the screen
  for (int i = 1; i <= kWinListSize; ++i)
    if (GatherInfo(AtFirst, i)) MoveToEntry(i);
}

void TWinListDialog::MoveToEntry(int32_t index) { MoveToEntries({index}); }

bool TWinListDialog::HomeOf(int32_t index, HomeRecord& home) {
  // Its place within its own desktop is where gathering would bring it.
  const int64_t w = Screen().Width();
  TWinData& scratch = Entry(index);
  const TWinData kept = scratch;
  const bool away = w > 0 && GatherAllInfo(index);
  home = {static_cast<int32_t>(Shown + (kept.Left - scratch.Left) / w), scratch.Left, scratch.Top};
  scratch = kept;
  return away;
}

void TWinListDialog::MoveToEntries(const std::vector<int32_t>& indices) {
  // The root window is recorded but never moved: only its entry changes.
  auto moves = [&](int32_t i) { return Entry(i).Handle != 0 && Entry(i).Handle != RootWindow; };
  // A window leaving the screen carries its record before its move is posted, and one
  // coming home keeps it until its move is posted: a pager ending between the two
  // leaves no window off the screen without a record. So the records of the windows
  // going away are written first, then every move is posted, then the windows that came
  // home lose theirs: calls of one kind back to back cost the window manager (Wine's
  // server) a fraction of what each costs between two moves.
  std::vector<char> away(indices.size(), 0);
  for (size_t k = 0; k < indices.size(); ++k) {
    HomeRecord home;
    if (!moves(indices[k]) || !(away[k] = HomeOf(indices[k], home))) continue;
    windows_.RecordHome(Entry(indices[k]).Handle, &home);
  }
  for (const int32_t i : indices) {
    const TWinData& e = Entry(i);
    if (moves(i)) windows_.MoveWindow(e.Handle, {e.Left, e.Top, e.Right, e.Bottom});
  }
  for (size_t k = 0; k < indices.size(); ++k)
    if (moves(indices[k]) && !away[k]) windows_.RecordHome(Entry(indices[k]).Handle, nullptr);
}

void TWinListDialog::BringMinimisedOnScreen(WindowHandle own) {
  const Rect screen = Screen();
  for (const WindowInfo& w : Minimised) {
    if (w.Handle == own || w.Handle == RootWindow) continue;
    // A window whose program did not take the place keeps its record, so the guardian can
    // still bring it back; the next switch tries again.
    if (const auto place = StepOntoScreen(w.Restored, screen))
      if (windows_.PlaceMinimised(w.Handle, *place)) windows_.RecordHome(w.Handle, nullptr);
  }
}

std::optional<Rect> TWinListDialog::PlaceToRestore(const Rect& at, const HomeRecord& home, const Rect& screen) {
  const int64_t w = screen.Width();
  if (w <= 0) return std::nullopt;
  // The record is believed even for a window still seen on the screen: a move the
  // pager posted may not have landed yet, and a move posted now lands after it.
  Rect r{home.Left, home.Top, home.Left + at.Width(), home.Top + at.Height()};
  if (r.Right > screen.Left && r.Left < screen.Right) return r;
  // No believable record: whole widths towards the screen, as gathering steps.
  return StepOntoScreen(at, screen);
}

}  // namespace korvi
