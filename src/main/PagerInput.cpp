#include "main/PagerInput.h"

#include "main/ClockPanel.h"

namespace korvi {

PagerAnswer PagerInput::MouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y) {
  form_.PanelMouseDown(button, shift, x, y);
  return {.Repaint = true};
}

PagerAnswer PagerInput::MouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y, bool inside) {
  PagerAnswer a{.Repaint = true};
  if (form_.PanelMouseUp(button, shift, x, y, inside)) {
    a.OpenMenu = true;
    a.MenuAt = {x, y};
  }
  return a;
}

PagerAnswer PagerInput::MouseMove(ShiftState shift, int32_t x, int32_t y) {
  auto shownDown = [this] {
    const int32_t pressed = form_.PressedButton();
    return pressed && form_.ShownDown(form_.Button(pressed));
  };
  const int32_t hot = form_.HotButton;
  const bool down = shownDown();
  form_.PanelMouseMove(shift, x, y);
  const bool changed = hot != form_.HotButton || down != shownDown();
  return {.Repaint = changed, .UpdateTip = changed};
}

PagerAnswer PagerInput::KeyDown(uint16_t key, ShiftState shift, bool pointerInside, int32_t x, int32_t y) {
  if (key == TForm1::vkF1) {
    form_.Popup1Popup(tag::Help);
    return {};
  }
  if (TForm1::IsMenuKey(key, shift)) return MenuFromKeyboard(pointerInside, x, y);
  form_.Edge().OnKeyDown(key, shift);
  return {};
}

PagerAnswer PagerInput::SysKeyDown(uint16_t key, ShiftState shift, bool pointerInside, int32_t x, int32_t y) {
  if (TForm1::IsMenuKey(key, shift)) return MenuFromKeyboard(pointerInside, x, y);
  return {.Handled = false};
}

PagerAnswer PagerInput::ContextMenu(bool fromKeyboard, bool pointerInside, int32_t x, int32_t y) {
  if (fromKeyboard) return MenuFromKeyboard(pointerInside, x, y);
  form_.HotFromPointer(true, x, y);
  return {.OpenMenu = true, .MenuAt = {x, y}};
}

PagerInput::Hint PagerInput::HotHint() const {
  const int32_t n = form_.HotButton;
  if (n < 1 || n > kButtonCount) return {};
  const TExeButton& b = form_.Button(n);
  if (!b.ShowHint || b.Hint.empty()) return {};
  return {b.Hint, {b.Left, b.Top, b.Left + b.Width, b.Top + b.Height}};
}

std::vector<Rect> PagerInput::LivePlaces() const {
  std::vector<Rect> places;
  if (form_.ButtonsHeld()) return places;
  // Without a clock panel nothing tells which pictures changed: every live place is drawn.
  const ClockPanel* clocks = form_.Clocks();
  for (int n = 1; n <= kButtonCount; ++n) {
    const TExeButton& b = form_.Button(n);
    if (b.Enabled && b.Visible && (kind::IsClock(b.IData) || kind::IsGauge(b.IData)) &&
        (!clocks || clocks->PictureChanged(n)))
      places.push_back({b.Left, b.Top, b.Left + b.Width, b.Top + b.Height});
  }
  return places;
}

PagerAnswer PagerInput::MenuFromKeyboard(bool pointerInside, int32_t x, int32_t y) {
  form_.HotFromPointer(pointerInside, x, y);
  return {.Repaint = true, .OpenMenu = true, .MenuAt = form_.KeyboardMenuPoint(pointerInside, x, y)};
}

}  // namespace korvi
