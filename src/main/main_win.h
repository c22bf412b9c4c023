#pragma once
#include <windows.h>

#include "main/main.h"

namespace korvi {

// The Win32 window of the pager: draws the panel colour and the buttons, and turns
// mouse and window messages into calls on TForm1.
class PagerWindow : public FormHost {
 public:
  static constexpr const char* kClassName = "Korvi8Pager";

  explicit PagerWindow(TForm1& form) : form_(form) {}
  // Creates the (hidden) window; returns false when Windows refuses.
  bool Create(HINSTANCE instance);
  HWND Handle() const { return hwnd_; }
  // Docks the window to its edge of the work area and shows it.
  void Show();

  // FormHost
  Rect Bounds() override;
  void SetBounds(const Rect& r) override;
  void SetStayOnTop(bool onTop) override;
  void Repaint() override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  void DrawButton(HDC dc, const TExeButton& b);
  // Number (1..128) of the button shown at a client point; 0 for the bare panel.
  int ButtonAt(int x, int y);

  TForm1& form_;
  HWND hwnd_ = nullptr;
  int pressed_ = 0;  // button under a left press, until release
};

// Windows colour from a panel colour (system colours resolved).
COLORREF ToColorRef(TColor c);

}  // namespace korvi
