#pragma once
#include <windows.h>
#include <shellapi.h>

#include "winkit/WindowProc_win.h"

#include "main/PagerInput.h"
#include "main/PagerTooltip_win.h"
#include "main/ScreenOutline_win.h"
#include "main/main.h"
#include "platform/EdgeHost.h"

namespace korvi {

// The Win32 window of the pager: draws the panel colour and the buttons, and turns
// mouse, key, timer and window messages into calls on TForm1, its docking component
// and PagerInput, then does what they answer. The buttons have no windows of their
// own: the pager draws them and the logic routes the mouse to whichever lies under it.
class PagerWindow : public ViewWindow, public FormHost, public EdgeHost {
 public:
  static constexpr const char* kClassName = "Korvi8Pager";
  explicit PagerWindow(TForm1& form) : form_(form), input_(form) {}
  // Creates the (hidden) window centred on the screen; false when Windows refuses.
  bool Create(HINSTANCE instance);
  HWND Handle() const { return hwnd_; }
  // The application's hidden main window (owner of the pager and of launched programs' dialogs).
  HWND AppWindow() const { return appWindow_; }
  void Show();
  // The outline an edge drag draws on the screen.
  ScreenOutline& Outline() { return outline_; }

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
  void HoldChildren() override { form_.HoldButtons(); }
  void ReleaseChildren() override { form_.ReleaseButtons(); }
  void SetTimer(int32_t periodMs) override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  // Draws the part `dirty` of the panel (client coordinates): the colour, and the buttons over it.
  void Paint(HDC dc, const RECT& dirty);
  // Does what the logic answered to an input event.
  void Follow(const PagerAnswer& a);
  // The command menu at a client point: refreshed, shown, and the chosen command run.
  void ShowMenu(Point at);
  // Where the mouse pointer is, in client coordinates, and whether it is on the panel.
  bool PointerInClient(POINT& p) const;
  bool InClient(POINT p) const;
  void DropFiles(HDROP drop);
  // The mouse capture is gone: forget the press and cancel an edge drag.
  void LoseMouse();
  void ApplyCursor();
  void UpdateTooltip();
  // Redraws the places of the clocks and load gauges whose picture the tick changed.
  void RepaintLiveButtons();
  // Runs the follow-focus timer at the period the logic wants now, or stops it.
  void SyncFollowTimer();

  TForm1& form_;
  PagerInput input_;
  HWND appWindow_ = nullptr;
  PagerTooltip tip_;
  ScreenOutlineDC outline_;
  EdgeCursor cursor_ = EdgeCursor::Saved;
  int32_t followPeriod_ = 0;
};

ShiftState ShiftFromMouse(WPARAM wp);

}  // namespace korvi
