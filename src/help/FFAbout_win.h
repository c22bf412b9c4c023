#pragma once
#include <windows.h>

#include "winkit/WindowProc_win.h"

#include "help/FFAbout.h"

namespace korvi {

// The Win32 window of the about box: a fixed dialog frame around a 298 x 213
// client area in Arial 8, a bevelled panel with the program picture (65 x 57) and
// the two bold labels, and "OK" below it. Its one-second timer drives TAboutBox.
class AboutWindow : public ViewWindow, public AboutHost {
 public:
  static constexpr const char* kClassName = "Korvi8About";
  // Resource number of the program picture (a 32 x 32, 16-colour bitmap).
  static constexpr int kPictureResource = 200;

  explicit AboutWindow(TAboutBox& form) : form_(form) {}
  ~AboutWindow() override;
  // Creates the hidden window, centred, and starts its timer (the form's FormCreate).
  bool Create(HINSTANCE instance);
  // The dialog keys of the shown box, taken from the program's message loop: Enter and Escape
  // close it as OK does (Space presses OK itself). True when the message was the box's.
  bool TakeDialogKey(MSG& msg);

  // AboutHost
  void ShowForm(bool activate) override;
  void HideForm() override;
  void StartTimer(int32_t periodMs) override;
  void StopTimer() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Paint(HDC dc);

  TAboutBox& form_;
  HWND ok_ = nullptr;
  HFONT font_ = nullptr, bold_ = nullptr;
  HBITMAP picture_ = nullptr;
};

}  // namespace korvi
