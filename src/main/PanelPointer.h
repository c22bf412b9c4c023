#pragma once
#include <cstdint>

#include "main/ButtonTable.h"
#include "platform/EdgeHost.h"
#include "platform/Input.h"

namespace korvi {

// The mouse on the panel, as the pager's buttons see it: which button a press
// holds, whether the pointer is still over it, a press on the bare panel that keeps
// the mouse until its release, and the buttons held away while the docking
// component slides the panel. Client coordinates of the panel.
class PanelPointer {
 public:
  explicit PanelPointer(const ButtonTable& table) : table_(table) {}

  // While the panel slides in or out the buttons are not there: nothing is under
  // the mouse and nothing is drawn. Holding forgets a press in progress.
  bool Held() const { return held_; }
  void Hold() {
    held_ = true;
    CaptureLost();
  }
  void Release() { held_ = false; }

  // The button under a point, 0 for the panel (see ButtonTable::At).
  int32_t At(int32_t x, int32_t y) const { return held_ ? 0 : table_.At(x, y); }
  // A press: the button under it, or 0 when it lands on the panel, which then
  // keeps the mouse until no button is held. A left press holds the button.
  int32_t Press(MouseButton button, int32_t x, int32_t y);
  // Who gets a move: the held button, the panel while it keeps the mouse, else the
  // button under the pointer (0: the panel).
  int32_t Move(int32_t x, int32_t y);
  // A release: the button it clicks (pressed and released over the same one), and
  // whether the panel gets it.
  struct Outcome {
    int32_t Clicked = 0;
    bool ToPanel = false;
  };
  Outcome Up(MouseButton button, ShiftState shift, int32_t x, int32_t y);
  // The mouse capture went to another window: no click follows.
  void CaptureLost() { pressed_ = 0, pressedOver_ = false, panelPress_ = false; }

  // The button held by the left mouse button, 0 for none.
  int32_t Pressed() const { return pressed_; }
  // Drawn pressed: down by its group, or held with the pointer over it.
  bool ShownDown(const TExeButton& b) const { return b.Down || (pressed_ == b.Tag && pressedOver_); }
  // The pointer's look: the arrow over a button, elsewhere what the docking
  // component chose for that place of the panel.
  static EdgeCursor CursorOver(int32_t hot, EdgeCursor panel) { return hot ? EdgeCursor::Default : panel; }
  // Move mode, for the mouse point (x, y): the button's bottom right corner follows
  // the point, or with `resize` its size does, never below 4 x 4.
  static void MoveTo(TExeButton& b, int32_t x, int32_t y, bool resize);

 private:
  const ButtonTable& table_;
  bool held_ = false;
  int32_t pressed_ = 0;       // button under a left press, until its release
  bool pressedOver_ = false;  // the pointer is over the pressed button
  bool panelPress_ = false;   // a press on the panel background, until its release
};

}  // namespace korvi
