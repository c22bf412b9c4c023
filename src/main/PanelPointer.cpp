#include "main/PanelPointer.h"

#include <algorithm>

namespace korvi {

int32_t PanelPointer::Press(MouseButton button, int32_t x, int32_t y) {
  const int32_t n = At(x, y);
  if (n) {
    if (button == MouseButton::Left) pressed_ = n, pressedOver_ = true;
    return n;
  }
  panelPress_ = true;
  return 0;
}

int32_t PanelPointer::Move(int32_t x, int32_t y) {
  // A pressed button keeps the mouse until the release, as does a press on the panel.
  const int32_t n = pressed_ ? pressed_ : panelPress_ ? 0 : At(x, y);
  if (pressed_) pressedOver_ = At(x, y) == pressed_;
  return n;
}

PanelPointer::Outcome PanelPointer::Up(MouseButton button, ShiftState shift, int32_t x, int32_t y) {
  Outcome r;
  if (button == MouseButton::Left && pressed_) {
    const int32_t n = pressed_;
    pressed_ = 0;
    pressedOver_ = false;
    if (At(x, y) == n) r.Clicked = n;
  } else if (panelPress_) {
    // The press is over once no mouse button is held any more.
    if (!(shift & (ssLeft | ssRight | ssMiddle))) panelPress_ = false;
    r.ToPanel = true;
  }
  return r;
}

void PanelPointer::MoveTo(TExeButton& b, int32_t x, int32_t y, bool resize) {
  constexpr int32_t kMinimumSide = 4;
  if (!resize) {
    b.Left = x - b.Width;
    b.Top = y - b.Height;
  } else {
    b.Width = std::max(x - b.Left, kMinimumSide);
    b.Height = std::max(y - b.Top, kMinimumSide);
  }
}

}  // namespace korvi
