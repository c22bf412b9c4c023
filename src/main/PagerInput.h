#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "main/main.h"
#include "platform/Geometry.h"
#include "platform/Input.h"

namespace korvi {

// What the pager window does after it has reported an input event.
struct PagerAnswer {
  bool Repaint = false;    // redraw the panel
  bool UpdateTip = false;  // the tooltip follows the hot button again
  bool OpenMenu = false;   // open the command menu at MenuAt
  Point MenuAt{};          // client coordinates of the panel
  bool Handled = true;     // false: the system's own handling applies
};

// The pager window's mouse and key events as the logic answers them. The window
// reports each event with the pointer where it is; what follows (the click, the
// hot button, a command, where the menu opens) is decided here.
class PagerInput {
 public:
  explicit PagerInput(TForm1& form) : form_(form) {}

  PagerAnswer MouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y);
  // `inside`: the point lies in the client area. The right button opens the menu
  // where it was released.
  PagerAnswer MouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y, bool inside);
  // Redraws and moves the tooltip only when the hot button or the pressed look changed.
  PagerAnswer MouseMove(ShiftState shift, int32_t x, int32_t y);
  // A key, with the pointer where it is: F1 runs "Help"; Shift+F10 and the
  // context-menu key open the menu from the keyboard; the rest goes to the panel.
  PagerAnswer KeyDown(uint16_t key, ShiftState shift, bool pointerInside, int32_t x, int32_t y);
  // A key pressed with Alt or F10: only the menu keys are the pager's.
  PagerAnswer SysKeyDown(uint16_t key, ShiftState shift, bool pointerInside, int32_t x, int32_t y);
  // The system asks for the context menu: from the keyboard, or at a client point.
  PagerAnswer ContextMenu(bool fromKeyboard, bool pointerInside, int32_t x, int32_t y);

  // The tooltip: the hot button's hint over the button, when it shows one.
  struct Hint {
    std::string Text;  // empty: no tip
    Rect Area;
  };
  Hint HotHint() const;
  // The places the one-second tick redraws: the clocks and load gauges in use and
  // shown whose picture the tick changed, none while the buttons are held away.
  std::vector<Rect> LivePlaces() const;

 private:
  // The menu from the keyboard: the button under the pointer is hot, and the menu
  // opens below it, else at the pointer on the panel or near the panel's corner.
  PagerAnswer MenuFromKeyboard(bool pointerInside, int32_t x, int32_t y);

  TForm1& form_;
};

}  // namespace korvi
