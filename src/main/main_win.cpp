#include "main/main_win.h"

#include <windowsx.h>

#include "platform/Win32Platform_win.h"
#include "util/FontCache_win.h"

namespace korvi {

COLORREF ToColorRef(TColor c) {
  if (IsSystemColor(c)) return ::GetSysColor(static_cast<int>(static_cast<uint32_t>(c) & 0xFF));
  return static_cast<COLORREF>(c) & 0xFFFFFF;
}

bool PagerWindow::Create(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &PagerWindow::WndProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(1));
  wc.lpszClassName = kClassName;
  ::RegisterClassExA(&wc);
  // Borderless and without a taskbar button (tool window).
  hwnd_ = ::CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "Korvi8", WS_POPUP | WS_CLIPCHILDREN,
                            0, 0, TForm1::DesignWidth, TForm1::DesignHeight, nullptr, nullptr, instance, this);
  if (hwnd_) form_.OwnWindow = FromHwnd(hwnd_);
  return hwnd_ != nullptr;
}

void PagerWindow::Show() {
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int size = form_.Edge().Size();
  Rect r{work.left, work.bottom - size, work.right, work.bottom};
  switch (form_.DockEdge()) {
    case edge::Top: r = {work.left, work.top, work.right, work.top + size}; break;
    case edge::Left: r = {work.left, work.top, work.left + size, work.bottom}; break;
    case edge::Right: r = {work.right - size, work.top, work.right, work.bottom}; break;
    default: break;
  }
  SetBounds(r);
  ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

Rect PagerWindow::Bounds() {
  RECT r{};
  if (hwnd_) ::GetWindowRect(hwnd_, &r);
  return {r.left, r.top, r.right, r.bottom};
}

void PagerWindow::SetBounds(const Rect& r) {
  ::SetWindowPos(hwnd_, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void PagerWindow::SetStayOnTop(bool onTop) {
  ::SetWindowPos(hwnd_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PagerWindow::Repaint() {
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

int PagerWindow::ButtonAt(int x, int y) {
  // Later buttons lie on top of earlier ones.
  for (int i = kButtonCount; i >= 1; --i) {
    const TExeButton& b = form_.Button(i);
    if (b.Visible && x >= b.Left && x < b.Left + b.Width && y >= b.Top && y < b.Top + b.Height) return i;
  }
  return 0;
}

void PagerWindow::DrawButton(HDC dc, const TExeButton& b) {
  RECT r{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
  const bool down = b.Down || pressed_ == b.Tag;
  UINT state = DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | (b.Enabled ? 0 : DFCS_INACTIVE);
  ::DrawFrameControl(dc, &r, DFC_BUTTON, state);
  HFONT old = static_cast<HFONT>(::SelectObject(dc, FontCache::Get(b.Font)));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, b.Enabled ? ToColorRef(b.Font.Color) : ::GetSysColor(COLOR_GRAYTEXT));
  if (down) ::OffsetRect(&r, 1, 1);
  ::DrawTextA(dc, b.Caption.c_str(), static_cast<int>(b.Caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::SelectObject(dc, old);
}

void PagerWindow::Paint(HDC dc) {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  HBRUSH bg = ::CreateSolidBrush(ToColorRef(form_.Color()));
  ::FillRect(dc, &client, bg);
  ::DeleteObject(bg);
  for (int i = 1; i <= kButtonCount; ++i)
    if (form_.Button(i).Visible) DrawButton(dc, form_.Button(i));
}

LRESULT CALLBACK PagerWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  PagerWindow* self = reinterpret_cast<PagerWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<PagerWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);
  // No C++ exception may cross into the window manager: on 32-bit Windows it ends the process.
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    return ::DefWindowProcA(hwnd, msg, wp, lp);
  }
}

LRESULT PagerWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // painted with the buttons, without flicker
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd_, &ps);
      RECT c{};
      ::GetClientRect(hwnd_, &c);
      HDC mem = ::CreateCompatibleDC(dc);
      HBITMAP bmp = ::CreateCompatibleBitmap(dc, c.right, c.bottom);
      HGDIOBJ old = ::SelectObject(mem, bmp);
      Paint(mem);
      ::BitBlt(dc, 0, 0, c.right, c.bottom, mem, 0, 0, SRCCOPY);
      ::SelectObject(mem, old);
      ::DeleteObject(bmp);
      ::DeleteDC(mem);
      ::EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_MOVE:
      return 0;  // swallowed: the pager decides where it stands
    case WM_LBUTTONDOWN: {
      int n = ButtonAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      if (n && form_.Button(n).Enabled) {
        pressed_ = n;
        ::SetCapture(hwnd_);
        Repaint();
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      int n = pressed_;
      pressed_ = 0;
      if (::GetCapture() == hwnd_) ::ReleaseCapture();
      if (n && ButtonAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)) == n) {
        TExeButton& b = form_.Button(n);
        if (b.OnClick) b.OnClick(b);
      }
      Repaint();
      return 0;
    }
    case WM_CLOSE:
      ::DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(hwnd_, msg, wp, lp);
}

}  // namespace korvi
