#include "winkit/Paint_win.h"

#include "winkit/DibBitmap_win.h"

namespace korvi {

void PaintWindow(HWND window, const DrawFunction& draw) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(window, &ps);
  draw(dc, ps.rcPaint);
  ::EndPaint(window, &ps);
}

void PaintWindowBuffered(HWND window, const DrawFunction& draw) {
  PaintWindow(window, [&](HDC dc, const RECT& dirty) { DrawBuffered(dc, dirty, draw); });
}

void DrawBuffered(HDC target, const RECT& dirty, const DrawFunction& draw) {
  const int w = dirty.right - dirty.left, h = dirty.bottom - dirty.top;
  if (w <= 0 || h <= 0) return;
  HBITMAP bmp = ::CreateCompatibleBitmap(target, w, h);
  if (BitmapDC mem(bmp); mem && bmp) {
    ::SetViewportOrgEx(mem.Get(), -dirty.left, -dirty.top, nullptr);
    draw(mem.Get(), dirty);
    ::SetViewportOrgEx(mem.Get(), 0, 0, nullptr);
    ::BitBlt(target, dirty.left, dirty.top, w, h, mem.Get(), 0, 0, SRCCOPY);
  }
  if (bmp) ::DeleteObject(bmp);
}

}  // namespace korvi
