#include "main/DDTransparent_win.h"

#include <windowsx.h>

#include <cstring>

#include "platform/Win32Platform_win.h"
#include "winkit/Paint_win.h"
#include "platform/WideText_win.h"

namespace korvi {

HCURSOR CreateDragCursor(HINSTANCE instance) {
  // 'X' black, '.' white, anything else see-through; hot spot at the arrow's tip.
  static const char* const kShape[] = {
      "X",           "XX",          "X.X",         "X..X",        "X...X",         "X....X",
      "X.....X",     "X......X",    "X.......X",   "X....XXXXX",  "X..X..X",       "X.X X..X",
      "XX  X..X",    "X    X..X",   "     X..X",   "      XX",    "     XXXXXXXXX", "     X.......X",
      "     X.XXXX..X", "     X.......X", "     X.XXXXX.X", "     X.......X", "     X.XXX...X", "     X.......X",
      "     XXXXXXXXX",
  };
  BYTE andMask[32 * 4], xorMask[32 * 4];
  std::memset(andMask, 0xFF, sizeof andMask);
  std::memset(xorMask, 0x00, sizeof xorMask);
  for (int y = 0; y < static_cast<int>(sizeof kShape / sizeof kShape[0]); ++y) {
    for (int x = 0; kShape[y][x] != '\0' && x < 32; ++x) {
      const char c = kShape[y][x];
      if (c != 'X' && c != '.') continue;
      const int byte = y * 4 + x / 8;
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      andMask[byte] &= static_cast<BYTE>(~bit);
      if (c == '.') xorMask[byte] |= bit;
    }
  }
  return ::CreateCursor(instance, 0, 0, 32, 32, andMask, xorMask);
}

PickerWindow::~PickerWindow() {
  DropSnapshot();
  if (hwnd_) ::DestroyWindow(hwnd_);
  if (dragCursor_) ::DestroyCursor(dragCursor_);
}

bool PickerWindow::Create(HINSTANCE instance) {
  dragCursor_ = CreateDragCursor(instance);
  const std::wstring className = Widen(kClassName);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProcOf<PickerWindow>;
  wc.hInstance = instance;
  wc.hCursor = dragCursor_ ? dragCursor_ : ::LoadCursor(nullptr, IDC_CROSS);
  wc.lpszClassName = className.c_str();
  ::RegisterClassExW(&wc);
  hwnd_ = ::CreateWindowExW(0, className.c_str(), L"Transparent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  // Exactly this extended style, replacing any other.
  ::SetWindowLongW(hwnd_, GWL_EXSTYLE, WS_EX_TRANSPARENT);
  form_.AttachHost(this);
  form_.FormCreate();
  return true;
}

WindowHandle PickerWindow::Handle() { return FromHwnd(hwnd_); }

void PickerWindow::SetBounds(const Rect& r) {
  bounds_ = r;
  if (hwnd_) ::SetWindowPos(hwnd_, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void PickerWindow::TakeSnapshot() {
  DropSnapshot();
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  snapshot_ = ::CreateCompatibleBitmap(screen, bounds_.Width(), bounds_.Height());
  if (snapshot_) {
    HGDIOBJ old = ::SelectObject(mem, snapshot_);
    ::BitBlt(mem, 0, 0, bounds_.Width(), bounds_.Height(), screen, bounds_.Left, bounds_.Top, SRCCOPY);
    ::SelectObject(mem, old);
  }
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
}

void PickerWindow::DropSnapshot() {
  if (snapshot_) ::DeleteObject(snapshot_);
  snapshot_ = nullptr;
}

void PickerWindow::Show() {
  TakeSnapshot();
  pressed_ = false;
  // Above everything, a panel that stays on top included, so the click lands here.
  ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetForegroundWindow(hwnd_);
  ::UpdateWindow(hwnd_);
}

void PickerWindow::Hide() {
  ::ShowWindow(hwnd_, SW_HIDE);
  ::SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DropSnapshot();
}

bool PickerWindow::ProcessMessage() {
  MSG msg;
  const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    // The program is ending: leave the quit for the main loop to see.
    ::PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
    return false;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return true;
}

void PickerWindow::Paint(HDC dc) {
  RECT c{};
  ::GetClientRect(hwnd_, &c);
  if (snapshot_) {
    HDC mem = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(mem, snapshot_);
    ::BitBlt(dc, 0, 0, c.right, c.bottom, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
  }
  // A frame in the selection colour marks the picking mode.
  HBRUSH frame = ::CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT));
  for (int i = 0; i < 3; ++i) {
    RECT r{c.left + i, c.top + i, c.right - i, c.bottom - i};
    ::FrameRect(dc, &r, frame);
  }
  ::DeleteObject(frame);
}

LRESULT PickerWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintWindow(hwnd_, [this](HDC dc, const RECT&) { Paint(dc); });
      return 0;
    case WM_MOUSEMOVE:
      form_.FormMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      form_.FormMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_LBUTTONUP:
      // A click is a press and a release on the picker; the point is where it happened.
      if (pressed_) {
        pressed_ = false;
        form_.FormMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        form_.FormClick();
      }
      return 0;
    case WM_CLOSE:
      return 0;  // created once, hidden between uses, never closed by the user
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace korvi
