#pragma once
#include <windows.h>
#include <shellapi.h>

#include "winkit/WindowProc_win.h"

#include <string>

#include "main/main.h"
#include "platform/EdgeHost.h"

namespace korvi {

// The Win32 window of the pager: draws the panel colour and the buttons, and turns
// mouse, key, timer and window messages into calls on TForm1 and its docking
// component. The buttons have no windows of their own: the pager draws them and
// routes the mouse to whichever button lies under it.
class PagerWindow : public FormHost, public EdgeHost, public ScreenOutline {
 public:
  static constexpr const char* kClassName = "Korvi8Pager";
  explicit PagerWindow(TForm1& form) : form_(form) {}
  // Creates the (hidden) window centred on the screen; false when Windows refuses.
  bool Create(HINSTANCE instance);
  HWND Handle() const { return hwnd_; }
  // The application's hidden main window (owner of the pager and of launched programs' dialogs).
  HWND AppWindow() const { return appWindow_; }
  void Show();

  // FormHost
  Rect Bounds() override;
  void SetBounds(const Rect& r) override;
  void SetStayOnTop(bool onTop) override;
  void Repaint() override;
  // EdgeHost
  void RemoveBorder() override;
  int32_t BorderWidth() override { return 0; }
  bool IsStayOnTop() override;
  void BringToForeground() override;
  void SetCursor(EdgeCursor cursor) override;
  void HoldChildren() override;
  void ReleaseChildren() override;
  void SetTimer(int32_t periodMs) override;
  // ScreenOutline
  void Begin() override;
  void DrawFocusRect(const Rect& r) override;
  void End() override;

 private:
  template <class T>
  friend LRESULT CALLBACK WindowProcOf(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  void DrawButton(HDC dc, const TExeButton& b);
  void MouseDown(MouseButton button, WPARAM wp, LPARAM lp, bool dbl);
  // True when the release opens the command menu.
  bool MouseUp(MouseButton button, WPARAM wp, LPARAM lp);
  void MouseMove(WPARAM wp, LPARAM lp);
  // The command menu at a screen point: refreshed, shown, and the chosen command run.
  void ShowMenu(int x, int y, UINT alignment = TPM_LEFTALIGN | TPM_TOPALIGN);
  // Shift+F10 or the context-menu key: the menu at the hot button, or at the pointer.
  void ShowMenuFromKeyboard();
  void DropFiles(HDROP drop);
  // The mouse capture is gone: forget the press and cancel an edge drag.
  void LoseMouse();
  void ApplyCursor();
  void CreateTooltip(HINSTANCE instance);
  // The hint of the button under the mouse, as the tooltip's one tool.
  void UpdateTooltip();
  // Redraws the places of the clocks and load gauges; false when none is shown.
  bool RepaintLiveButtons();

  TForm1& form_;
  HWND hwnd_ = nullptr;
  HWND appWindow_ = nullptr;
  HWND tip_ = nullptr;
  std::string tipText_;
  HDC screenDc_ = nullptr;
  EdgeCursor cursor_ = EdgeCursor::Saved;
};

ShiftState ShiftFromMouse(WPARAM wp);

}  // namespace korvi
