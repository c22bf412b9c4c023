// The mouse and keys over the panel as the pager window reports them: the press,
// hover and capture rules live in PanelPointer; here the hot button follows them
// and the panel's own events go to the docking component.
#include "main/main.h"

namespace korvi {

int32_t TForm1::ButtonAt(int32_t x, int32_t y) const { return pointer_.At(x, y); }

void TForm1::PanelMouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y) {
  if (const int32_t n = pointer_.Press(button, x, y)) {
    // A right click on a button makes it the one the menu's button commands act on.
    HotButton = n;
    return;
  }
  if (button == MouseButton::Right) HotButton = 0;
  edge_.OnMouseDown(button, shift, x, y);
  if (shift & ssDouble) edge_.OnDblClick();
}

void TForm1::PanelMouseMove(ShiftState shift, int32_t x, int32_t y) {
  if (const int32_t n = pointer_.Move(x, y)) {
    TExeButton& b = Button(n);
    ButtonMouseMove(b, shift, x - b.Left, y - b.Top);
  } else {
    edge_.OnMouseMove(shift, x, y);
  }
}

bool TForm1::PanelMouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y, bool inside) {
  const PanelPointer::Outcome r = pointer_.Up(button, shift, x, y);
  if (r.Clicked) {
    Button(r.Clicked).Click();
  } else if (r.ToPanel) {
    edge_.OnMouseUp(button, shift, x, y);
    if (button == MouseButton::Left && inside) edge_.OnClick();
  }
  return button == MouseButton::Right;
}

void TForm1::HoldButtons() {
  pointer_.Hold();
  Repaint();
}

void TForm1::ReleaseButtons() {
  pointer_.Release();
  Repaint();
}

bool TForm1::IsMenuKey(uint16_t key, ShiftState shift) {
  return key == vkApps || (key == vkF10 && (shift & ssShift) != 0);
}

void TForm1::HotFromPointer(bool insidePanel, int32_t x, int32_t y) {
  HotButton = insidePanel ? ButtonAt(x, y) : 0;
}

Point TForm1::KeyboardMenuPoint(bool insidePanel, int32_t x, int32_t y) const {
  if (HotButton >= 1 && HotButton <= kButtonCount) {
    const TExeButton& b = Button(HotButton);
    return {b.Left, b.Top + b.Height};
  }
  return insidePanel ? Point{x, y} : Point{4, 4};
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
