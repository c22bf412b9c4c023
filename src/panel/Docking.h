#pragma once
#include <cstdint>

#include "platform/FormHost.h"
#include "platform/Geometry.h"
#include "platform/WindowSystem.h"

namespace korvi {

// Docking edge codes, the same everywhere (settings, menu, docking component).
namespace edge {
constexpr uint8_t None = 0, Top = 1, Bottom = 2, Left = 3, Right = 4;
}

// True for 1..4; any other code leaves a window free.
bool IsDockEdge(uint8_t e);
// Left and right: the thickness is the width. Top, bottom and none: the height.
bool IsVerticalEdge(uint8_t e);

// The thickness of `r` as a window docked to `e`.
int32_t ThicknessOf(const Rect& r, uint8_t e);

// Fits `r` to edge `e` of `work`: the window spans the edge's full length and keeps
// only its thickness (never below 0). A free window (no dock edge) is left as it is.
Rect FitToEdge(const Rect& work, uint8_t e, const Rect& r);

// Moves a window docked to `from` over to `to`: between a horizontal and a vertical
// edge width and height swap first, so the thickness carries over; then it is fitted.
Rect ChangeEdge(const Rect& work, uint8_t from, uint8_t to, const Rect& r);

// A top-level window with a docking edge: every size or position it is given is
// fitted to that edge of the desktop work area. Setting the thickness of a window
// docked to the bottom or right therefore moves its inner side.
class DockedWindow {
 public:
  DockedWindow(FormHost& raw, WindowSystem& screen, uint8_t e = edge::Bottom) : raw_(raw), screen_(screen), edge_(e) {}

  uint8_t Edge() const { return edge_; }
  // Re-docks to `e` (see ChangeEdge) and applies the result.
  void SetEdge(uint8_t e);

  Rect Bounds() { return raw_.Bounds(); }
  // Applies `r` fitted to the docking edge.
  void SetBounds(const Rect& r);
  // Fits the window again, e.g. after the work area changed.
  void Refit() { SetBounds(Bounds()); }

  int32_t Thickness() { return ThicknessOf(Bounds(), edge_); }
  // Height (top, bottom, none) or width (left, right) := t; the outer side stays.
  void SetThickness(int32_t t);

 private:
  FormHost& raw_;
  WindowSystem& screen_;
  uint8_t edge_;
};

}  // namespace korvi
