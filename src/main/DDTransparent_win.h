#pragma once
#include <windows.h>

#include "winkit/WindowProc_win.h"

#include "main/DDTransparent.h"

namespace korvi {

// The Win32 window of the window picker. While picking it shows a still picture of
// the screen as it was, inside a highlighted frame, with the drag cursor: the user
// sees the windows to choose from and that the screen waits for a click.
class PickerWindow : public ViewWindow, public PickerHost {
 public:
  static constexpr const char* kClassName = "Korvi8Picker";

  explicit PickerWindow(TTransparentDialog& form) : form_(form) {}
  ~PickerWindow() override;
  // Creates the hidden window and runs the form's creation; false when Windows refuses.
  bool Create(HINSTANCE instance);

  // PickerHost
  WindowHandle Handle() override;
  void SetBounds(const Rect& r) override;
  void Show() override;
  void Hide() override;
  bool ProcessMessage() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Paint(HDC dc);
  void TakeSnapshot();
  void DropSnapshot();

  TTransparentDialog& form_;
  HCURSOR dragCursor_ = nullptr;
  HBITMAP snapshot_ = nullptr;
  Rect bounds_;
  bool pressed_ = false;
};

// The drag cursor (an arrow carrying a sheet); destroy it with DestroyCursor.
HCURSOR CreateDragCursor(HINSTANCE instance);

}  // namespace korvi
