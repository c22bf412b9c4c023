#include "panel/Docking.h"

#include <algorithm>

namespace korvi {

bool IsDockEdge(uint8_t e) { return e >= edge::Top && e <= edge::Right; }

bool IsVerticalEdge(uint8_t e) { return e == edge::Left || e == edge::Right; }

int32_t ThicknessOf(const Rect& r, uint8_t e) { return IsVerticalEdge(e) ? r.Width() : r.Height(); }

Rect FitToEdge(const Rect& work, uint8_t e, const Rect& r) {
  // A window cannot be thinner than nothing; a negative size would turn it inside out.
  const int32_t t = std::max<int32_t>(0, ThicknessOf(r, e));
  switch (e) {
    case edge::Top: return {work.Left, work.Top, work.Right, work.Top + t};
    case edge::Bottom: return {work.Left, work.Bottom - t, work.Right, work.Bottom};
    case edge::Left: return {work.Left, work.Top, work.Left + t, work.Bottom};
    case edge::Right: return {work.Right - t, work.Top, work.Right, work.Bottom};
    default: return r;
  }
}

Rect ChangeEdge(const Rect& work, uint8_t from, uint8_t to, const Rect& r) {
  Rect s = r;
  const bool turns = IsDockEdge(from) && IsDockEdge(to) && IsVerticalEdge(from) != IsVerticalEdge(to);
  if (turns) s = {r.Left, r.Top, r.Left + r.Height(), r.Top + r.Width()};
  return FitToEdge(work, to, s);
}

void DockedWindow::SetEdge(uint8_t e) {
  const Rect r = ChangeEdge(screen_.WorkArea(), edge_, e, Bounds());
  edge_ = e;
  raw_.SetBounds(r);
}

void DockedWindow::SetBounds(const Rect& r) { raw_.SetBounds(FitToEdge(screen_.WorkArea(), edge_, r)); }

void DockedWindow::SetThickness(int32_t t) {
  Rect r = Bounds();
  if (IsVerticalEdge(edge_))
    r.Right = r.Left + t;
  else
    r.Bottom = r.Top + t;
  SetBounds(r);
}

}  // namespace korvi
