// The reference the benchmarks measure the pager against: the least a Win32 window
// program with a one-second timer does. One top-level window, a timer that invalidates
// it every second, and a paint that fills it and writes the time.
// Built with the same compiler and link options as Korvi8.exe (static, no DLL beside it).
#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      ::InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      RECT r;
      ::GetClientRect(hwnd, &r);
      ::FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
      SYSTEMTIME t;
      ::GetLocalTime(&t);
      char text[16];
      const int n = std::snprintf(text, sizeof text, "%02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
      ::SetBkMode(dc, TRANSPARENT);
      ::TextOutA(dc, 4, 4, text, n);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "KorviMinimalWindow";
  ::RegisterClassA(&wc);
  HWND hwnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "minimal", WS_POPUP | WS_BORDER, 0, 0, 1024, 100,
                                nullptr, nullptr, instance, nullptr);
  ::SetTimer(hwnd, 1, 1000, nullptr);
  ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}
