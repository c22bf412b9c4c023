#include "main/PagerWindow_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include <utility>
#include <vector>

#include "buttons/ButtonDraw_win.h"
#include "main/PopupMenu_win.h"
#include "platform/ResourceUse_win.h"
#include "platform/Win32Platform_win.h"
#include "winkit/Colors_win.h"
#include "winkit/Paint_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {
constexpr UINT_PTR kEdgeTimer = 1;   // auto-hide timer of the docking component
constexpr UINT_PTR kTickTimer = 2;   // the pager's one-second timer
constexpr UINT_PTR kFollowTimer = 3; // looks at the window in front (Follow Focus)
// How long each of the two end-of-session messages waits for windows to take their
// moves: 2 seconds in all, then the session may go on.
constexpr int32_t kEndSessionWait = 1000;
}  // namespace

ShiftState ShiftFromMouse(WPARAM wp) {
  ShiftState s = 0;
  if (wp & MK_SHIFT) s |= ssShift;
  if (wp & MK_CONTROL) s |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (wp & MK_LBUTTON) s |= ssLeft;
  if (wp & MK_RBUTTON) s |= ssRight;
  if (wp & MK_MBUTTON) s |= ssMiddle;
  return s;
}

// The mouse button of a press or release message.
static MouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return MouseButton::Middle;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return MouseButton::Right;
    default: return MouseButton::Left;
  }
}

static ShiftState ShiftFromKeyboard() {
  ShiftState s = 0;
  if (::GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

bool PagerWindow::Create(HINSTANCE instance) {
  // Unicode classes: captions, hints and dropped file names carry every character.
  const std::wstring className = Widen(kClassName);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &WindowProcOf<PagerWindow>;
  wc.hInstance = instance;
  wc.hCursor = nullptr;  // set per position (WM_SETCURSOR)
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = className.c_str();
  ::RegisterClassExW(&wc);
  // The application's hidden main window owns the pager. Neither gets a taskbar
  // button: an owned window never has one, and the owner is a hidden tool window
  // (shells that list every unowned visible window, as Wine's does, agree).
  WNDCLASSEXW app{};
  app.cbSize = sizeof app;
  app.lpfnWndProc = ::DefWindowProcW;
  app.hInstance = instance;
  app.hIcon = wc.hIcon;
  app.lpszClassName = L"Korvi8App";
  ::RegisterClassExW(&app);
  appWindow_ = ::CreateWindowExW(0, L"Korvi8App", L"Korvi8", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  LONG ex = ::GetWindowLongW(appWindow_, GWL_EXSTYLE);
  ::SetWindowLongW(appWindow_, GWL_EXSTYLE, (ex & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
  // Centred as designed until the docking component takes it to its edge.
  const int w = TForm1::DesignWidth, h = TForm1::DesignHeight;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (::GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  // Files dropped on the panel become launchers: the style DragAcceptFiles would set,
  // given at creation so that the shell library loads only when a file is dropped.
  hwnd_ = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES, className.c_str(), L"Korvi8",
                            WS_POPUP | WS_CLIPCHILDREN, x, y, w, h, appWindow_, nullptr, instance, this);
  if (hwnd_) {
    form_.OwnWindow = FromHwnd(hwnd_);
    form_.OnFollowPeriodChange([this] { SyncFollowTimer(); });
    ::SetTimer(hwnd_, kTickTimer, 1000, nullptr);
    tip_.Create(instance, appWindow_, hwnd_);
  }
  return hwnd_ != nullptr;
}

void PagerWindow::UpdateTooltip() {
  const PagerInput::Hint hint = input_.HotHint();
  tip_.Show(hint.Text, hint.Area);
}

void PagerWindow::Show() {
  ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  // Painted now, not when the message loop first runs: the helper windows created after
  // the pager would otherwise keep the panel blank meanwhile.
  ::UpdateWindow(hwnd_);
  SyncFollowTimer();
}

void PagerWindow::SyncFollowTimer() {
  // The one-second tick and the menu call this too: a mode turned on, or a
  // minimised window waiting to be restored, starts the timer again.
  const int32_t period = form_.FollowPeriod();
  if (period == followPeriod_ || !hwnd_) return;
  followPeriod_ = period;
  if (period > 0)
    ::SetTimer(hwnd_, kFollowTimer, static_cast<UINT>(period), nullptr);
  else
    ::KillTimer(hwnd_, kFollowTimer);
}

// --- FormHost -----------------------------------------------------------------------

Rect PagerWindow::Bounds() {
  RECT r{};
  if (hwnd_) ::GetWindowRect(hwnd_, &r);
  return {r.left, r.top, r.right, r.bottom};
}

void PagerWindow::SetBounds(const Rect& r) {
  ::SetWindowPos(hwnd_, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  ::UpdateWindow(hwnd_);
}

void PagerWindow::SetStayOnTop(bool onTop) {
  ::SetWindowPos(hwnd_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PagerWindow::Repaint() {
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

// --- EdgeHost -----------------------------------------------------------------------

void PagerWindow::RemoveBorder() {
  LONG style = ::GetWindowLongW(hwnd_, GWL_STYLE);
  style &= ~(WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME);
  ::SetWindowLongW(hwnd_, GWL_STYLE, style | WS_POPUP);
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool PagerWindow::IsStayOnTop() { return (::GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void PagerWindow::BringToForeground() { ::SetForegroundWindow(hwnd_); }

void PagerWindow::SetCursor(EdgeCursor cursor) {
  cursor_ = cursor;
  ApplyCursor();
}

void PagerWindow::ApplyCursor() {
  LPCSTR id = IDC_ARROW;
  switch (cursor_) {
    case EdgeCursor::SizeWE: id = IDC_SIZEWE; break;
    case EdgeCursor::SizeNS: id = IDC_SIZENS; break;
    case EdgeCursor::Move: id = IDC_SIZEALL; break;
    default: break;
  }
  ::SetCursor(::LoadCursorA(nullptr, id));
}

void PagerWindow::SetTimer(int32_t periodMs) {
  if (periodMs > 0)
    ::SetTimer(hwnd_, kEdgeTimer, static_cast<UINT>(periodMs), nullptr);
  else
    ::KillTimer(hwnd_, kEdgeTimer);
}

// --- Drawing ------------------------------------------------------------------------

void PagerWindow::RepaintLiveButtons() {
  // Only the clocks and gauges change with the tick, and most seconds none of them
  // shows anything new: only the places whose picture changed are redrawn.
  for (const Rect& p : input_.LivePlaces()) {
    RECT r{p.Left, p.Top, p.Right, p.Bottom};
    ::InvalidateRect(hwnd_, &r, FALSE);
  }
}

void PagerWindow::Paint(HDC dc, const RECT& dirty) {
  HBRUSH bg = ::CreateSolidBrush(ColorRefOf(form_.Color()));
  ::FillRect(dc, &dirty, bg);
  ::DeleteObject(bg);
  if (form_.ButtonsHeld()) return;
  for (int i = 1; i <= kButtonCount; ++i) {
    const TExeButton& b = form_.Button(i);
    const RECT place{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
    RECT common;
    // A button outside the part being painted would only be clipped away.
    if (b.Visible && ::IntersectRect(&common, &place, &dirty))
      DrawExeButton(dc, b, form_.HotButton == b.Tag, form_.ShownDown(b));
  }
}

// --- Input --------------------------------------------------------------------------

bool PagerWindow::InClient(POINT p) const {
  RECT c{};
  ::GetClientRect(hwnd_, &c);
  return ::PtInRect(&c, p) != FALSE;
}

bool PagerWindow::PointerInClient(POINT& p) const {
  ::GetCursorPos(&p);
  ::ScreenToClient(hwnd_, &p);
  return InClient(p);
}

void PagerWindow::Follow(const PagerAnswer& a) {
  if (a.UpdateTip) UpdateTooltip();
  if (a.Repaint) Repaint();
  if (a.OpenMenu) ShowMenu(a.MenuAt);
}

void PagerWindow::ShowMenu(Point at) {
  POINT p{at.X, at.Y};
  ::ClientToScreen(hwnd_, &p);
  form_.Popup1Popup(tag::Opening);
  const int32_t chosen = TrackPopup(form_.Popup1, hwnd_, p.x, p.y, TPM_LEFTALIGN | TPM_TOPALIGN);
  if (chosen) form_.Popup1Popup(chosen);
  if (!::IsWindow(hwnd_)) return;
  Repaint();
  SyncFollowTimer();
}

void PagerWindow::DropFiles(HDROP drop) {
  // Only the first file counts. Its whole name is read, however long: a cut name
  // would make a launcher of a file that does not exist.
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::string name;
  if (count > 0) {
    std::wstring wide(::DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
    wide.resize(::DragQueryFileW(drop, 0, wide.data(), static_cast<UINT>(wide.size())));
    name = Narrow(wide);
  }
  POINT p{};
  ::DragQueryPoint(drop, &p);
  ::DragFinish(drop);
  if (count > 0) form_.DropFiles(name, p.x, p.y);
}

void PagerWindow::LoseMouse() {
  form_.PanelCaptureLost();
  form_.Edge().CancelEdgeDrag();
}

LRESULT PagerWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // painted with the buttons, without flicker
    case WM_PAINT: {
      // Drawn off screen, only the part asked for, then copied: no flicker.
      PaintWindowBuffered(hwnd_, [this](HDC dc, const RECT& dirty) { Paint(dc, dirty); });
      form_.Edge().OnPaint();
      return 0;
    }
    case WM_SIZE:
      form_.Edge().OnResize();
      Repaint();
      return 0;
    case WM_MOVE:
      return 0;  // swallowed: the pager decides where it stands
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        ApplyCursor();
        return TRUE;
      }
      break;
    case WM_TIMER:
      if (wp == kEdgeTimer) form_.Edge().TimerTick();
      if (wp == kTickTimer) {
        form_.Timer1Timer();
        RepaintLiveButtons();
        UpdateTooltip();  // clock and gauge hints change with the tick (the tip skips an unchanged one)
        SyncFollowTimer();
      }
      if (wp == kFollowTimer) {
        form_.FollowCheck();
        SyncFollowTimer();
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      const ShiftState dbl = msg == WM_LBUTTONDBLCLK ? ssDouble : 0;
      ::SetCapture(hwnd_);
      Follow(input_.MouseDown(ButtonOf(msg), ShiftFromMouse(wp) | dbl, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP: {
      const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      PagerAnswer a = input_.MouseUp(ButtonOf(msg), ShiftFromMouse(wp), p.x, p.y, InClient(p));
      const bool menu = std::exchange(a.OpenMenu, false);
      Follow(a);
      // Released last: losing the capture clears the press state (WM_CAPTURECHANGED).
      if (::GetCapture() == hwnd_ && !(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ::ReleaseCapture();
      if (menu) ShowMenu(a.MenuAt);
      return 0;
    }
    case WM_MOUSEMOVE:
      Follow(input_.MouseMove(ShiftFromMouse(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
      tip_.Relay(wp, lp);
      cursor_ = PanelPointer::CursorOver(form_.HotButton, cursor_);
      ApplyCursor();
      return 0;
    case WM_CONTEXTMENU: {
      // From the keyboard (the system sends -1), or from another source at a screen point.
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      bool inside = true;
      if (lp == -1)
        inside = PointerInClient(p);
      else
        ::ScreenToClient(hwnd_, &p);
      Follow(input_.ContextMenu(lp == -1, inside, p.x, p.y));
      return 0;
    }
    case WM_SYSKEYDOWN: {
      POINT p;
      const bool inside = PointerInClient(p);
      const PagerAnswer a = input_.SysKeyDown(static_cast<uint16_t>(wp), ShiftFromKeyboard(), inside, p.x, p.y);
      if (!a.Handled) break;
      Follow(a);
      return 0;
    }
    case WM_SYSKEYUP:
      if (wp == VK_F10) return 0;  // F10 alone would enter a menu bar the panel does not have
      break;
    case WM_KEYDOWN: {
      POINT p;
      const bool inside = PointerInClient(p);
      Follow(input_.KeyDown(static_cast<uint16_t>(wp), ShiftFromKeyboard(), inside, p.x, p.y));
      return 0;
    }
    case WM_KEYUP: form_.Edge().OnKeyUp(static_cast<uint16_t>(wp), ShiftFromKeyboard()); return 0;
    case WM_CHAR: form_.Edge().OnKeyPress(static_cast<char>(wp)); return 0;
    case WM_CAPTURECHANGED:
      // Capture taken away (another window, a menu, Alt+Tab): no click follows the
      // release, and an edge drag ends where it is, outline erased.
      if (reinterpret_cast<HWND>(lp) != hwnd_) LoseMouse();
      return 0;
    case WM_CANCELMODE:
      // The system cancels whatever the mouse was doing (a dialog or menu comes up).
      LoseMouse();
      if (::GetCapture() == hwnd_) ::ReleaseCapture();
      return 0;
    case WM_DISPLAYCHANGE:
      form_.Edge().WorkAreaChanged();
      return 0;
    case WM_SETTINGCHANGE:
      if (wp == SPI_SETWORKAREA) form_.Edge().WorkAreaChanged();
      return 0;
    case WM_HOTKEY:
      // While a dialog of the pager is open (the pager is disabled meanwhile), the
      // desktops stay as they are.
      if (::IsWindowEnabled(hwnd_)) form_.RunHotkey(static_cast<int32_t>(wp));
      return 0;
    case WM_DROPFILES:
      DropFiles(reinterpret_cast<HDROP>(wp));
      return 0;
    case kResourceQuery:
      if (wp > kGdiTypeQuery && wp <= kGdiTypeQuery + OBJ_COLORSPACE) return GdiObjectsOfType(static_cast<DWORD>(wp - kGdiTypeQuery));
      return wp <= static_cast<WPARAM>(Resource::PrivateKib) ? ResourceUse(static_cast<Resource>(wp)) : 0;
    case WM_QUERYENDSESSION:
      // Programs save their windows' places as the session ends, and reopen there at the
      // next logon: no window may be off the screen then. A second gathering at
      // WM_ENDSESSION finds nothing left to move unless a program moved a window meanwhile.
      form_.EndSession(kEndSessionWait);
      return TRUE;
    case WM_ENDSESSION:
      if (wp) form_.EndSession(kEndSessionWait);
      return 0;
    case WM_CLOSE:
      ::DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      if (appWindow_) ::DestroyWindow(appWindow_);
      appWindow_ = nullptr;
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace korvi
