#pragma once
#include <cstdint>

#include "main/DDWinList.h"
#include "platform/Geometry.h"
#include "platform/WindowSystem.h"

namespace korvi {

// The window of the picker as its logic sees it. The Win32 view implements it.
class PickerHost {
 public:
  virtual ~PickerHost() = default;
  virtual WindowHandle Handle() = 0;
  virtual void SetBounds(const Rect& r) = 0;
  // Shows the picker above every other window, ready for the click.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Waits for the next message and handles it (timers keep running meanwhile).
  // False when the program is ending: the picker must give up.
  virtual bool ProcessMessage() = 0;
};

// The window picker: a borderless window over nearly the whole screen on which the
// user clicks a window to choose it. The topmost recorded window under the point wins.
class TTransparentDialog {
 public:
  TTransparentDialog(TWinListDialog& winList, WindowSystem& windows) : winList_(winList), windows_(windows) {}

  void AttachHost(PickerHost* host) { host_ = host; }

  void FormCreate();
  // Lets the user click a window; returns its window-table entry, or 0 (bare desktop,
  // the picker itself, no recorded window, or the program ending meanwhile).
  int32_t SelectWindow();

  // Mouse position over the picker, in its client coordinates.
  void FormMouseMove(int32_t x, int32_t y);
  void FormClick();

  // Where the picker stands: 5 pixels in from every screen edge.
  Rect PickerBounds();
  bool Selecting() const { return selecting_; }

  int32_t PickX = 0;
  int32_t PickY = 0;
  int32_t PickedEntry = 0;
  bool Picked = false;

 private:
  TWinListDialog& winList_;
  WindowSystem& windows_;
  PickerHost* host_ = nullptr;
  Rect bounds_;
  bool selecting_ = false;
};

}  // namespace korvi
