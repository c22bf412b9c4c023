// The mouse over the panel: which button is under a point, what a click is, and
// which button is hot. The window only reports the messages.
#include "main/main.h"

namespace korvi {

int32_t TForm1::ButtonAt(int32_t x, int32_t y) const {
  if (ButtonsHeld) return 0;
  // Later buttons lie on top of earlier ones. Disabled buttons let the mouse through
  // to the panel: that is how move mode reaches the panel's own handlers.
  for (int i = kButtonCount; i >= 1; --i) {
    const TExeButton& b = *buttons_[i - 1];
    if (b.Visible && b.Enabled && x >= b.Left && x < b.Left + b.Width && y >= b.Top && y < b.Top + b.Height)
      return i;
  }
  return 0;
}

void TForm1::PanelMouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y) {
  const int32_t n = ButtonAt(x, y);
  if (n) {
    // A right click on a button makes it the one the menu's button commands act on.
    HotButton = n;
    if (button == MouseButton::Left) pressed_ = n, pressedOver_ = true;
    return;
  }
  if (button == MouseButton::Right) HotButton = 0;
  panelPress_ = true;
  edge_.OnMouseDown(button, shift, x, y);
  if (shift & ssDouble) edge_.OnDblClick();
}

void TForm1::PanelMouseMove(ShiftState shift, int32_t x, int32_t y) {
  // A pressed button keeps the mouse until the release, as does a press on the panel.
  const int32_t n = pressed_ ? pressed_ : panelPress_ ? 0 : ButtonAt(x, y);
  if (pressed_) pressedOver_ = ButtonAt(x, y) == pressed_;
  if (n) {
    TExeButton& b = Button(n);
    ButtonMouseMove(b, shift, x - b.Left, y - b.Top);
  } else {
    edge_.OnMouseMove(shift, x, y);
  }
}

bool TForm1::PanelMouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y, bool inside) {
  if (button == MouseButton::Left && pressed_) {
    const int32_t n = pressed_;
    pressed_ = 0;
    pressedOver_ = false;
    // A click: pressed and released over the same button.
    if (ButtonAt(x, y) == n) Button(n).Click();
  } else if (panelPress_) {
    // The press is over once no mouse button is held any more.
    if (!(shift & (ssLeft | ssRight | ssMiddle))) panelPress_ = false;
    edge_.OnMouseUp(button, shift, x, y);
    if (button == MouseButton::Left && inside) edge_.OnClick();
  }
  return button == MouseButton::Right;
}

bool TForm1::IsMenuKey(uint16_t key, ShiftState shift) {
  return key == vkApps || (key == vkF10 && (shift & ssShift) != 0);
}

void TForm1::HotFromPointer(bool insidePanel, int32_t x, int32_t y) {
  HotButton = insidePanel ? ButtonAt(x, y) : 0;
}

void TForm1::FormMouseMove(ShiftState shift, int32_t x, int32_t y) {
  HotButton = 0;
  MouseX = x;
  MouseY = y;
  ResizeMode = (shift & ssShift) != 0;
  UpdateMouse();
}

void TForm1::ButtonMouseMove(TExeButton& button, ShiftState shift, int32_t x, int32_t y) {
  HotButton = button.Tag;
  MouseX = x + button.Left;
  MouseY = y + button.Top;
  ResizeMode = (shift & ssShift) != 0;
  UpdateMouse();
}

}  // namespace korvi
