#pragma once
#include <cstdint>
#include <string>

#include "panel/HotkeyText.h"
#include "platform/Colors.h"

namespace korvi {

// The windows and dialogs that the pager's commands open, as the pager's logic
// needs them. The Win32 program implements it with the real dialogs; the tests
// with a scripted fake. Every call that shows something modal returns only when
// the user has answered.
class PagerServices {
 public:
  virtual ~PagerServices() = default;

  // "Button Setup" on button n (0: none preselected); true when it closed confirmed.
  virtual bool ConfigureButton(int32_t n) = 0;
  // The image chooser; true when confirmed, with the chosen file (may be empty).
  virtual bool ChooseImage(std::string& fileName) = 0;
  // The colour chooser (full open, any colour) starting at `color`; true when confirmed.
  virtual bool PickColor(TColor& color) = 0;
  // A question with the buttons Yes and No; true for Yes.
  virtual bool Confirm(const std::string& question) = 0;
  // The window picker: the window-table entry the user clicked, 0 for none.
  virtual int32_t SelectWindow() = 0;
  // "Set Hotkeys" on `keys`; true when it closed with OK, with the keys chosen.
  virtual bool EditHotkeys(HotkeySet& keys) {
    (void)keys;
    return false;
  }

  // The about box, not modal.
  virtual void ShowAbout() = 0;
  // The help viewer, not modal; the first time in a run it loads the help file.
  virtual void ShowHelp() = 0;

  // The position read-out of move mode (its texts come from TPosForm).
  virtual void ShowReadout() = 0;
  virtual void HideReadout() = 0;
  // Puts the pager window at the top of the Z-order.
  virtual void BringPagerToTop() = 0;
  // Ends the program at once (the settings were written first).
  virtual void EndProgram() = 0;
};

}  // namespace korvi
