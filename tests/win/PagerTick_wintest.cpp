// The one-second tick of the real pager window: what it redraws shows what a paint of the
// whole panel would, the new minute included.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "main/ClockDraw_win.h"
#include "main/ClockPanel.h"
#include "main/PagerWindow_win.h"
#include "main/main.h"
#include "platform/Win32Platform_win.h"
#include "support/FakeSystemInfo.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

// The pixels of the pager's client area as the screen shows them, row by row.
std::vector<uint32_t> Capture(HWND window) {
  RECT c{};
  ::GetClientRect(window, &c);
  const int w = c.right, h = c.bottom;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  HDC dc = ::GetDC(window), mem = ::CreateCompatibleDC(dc);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  ::BitBlt(mem, 0, 0, w, h, dc, 0, 0, SRCCOPY);
  ::GdiFlush();
  if (bits) std::copy_n(static_cast<const uint32_t*>(bits), pixels.size(), pixels.begin());
  ::SelectObject(mem, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
  ::ReleaseDC(window, dc);
  return pixels;
}

TEST(RealPagerTick, TheRedrawOfTheTickShowsTheNewMinuteAsAWholePaintWould) {
  const std::string dir = test::TempDir() + "\\tick\\";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  // Always out, a clock between two launchers, and an analogue face.
  ASSERT_TRUE(test::WriteFileBytes(dir + "Korvi8.ini",
                                   "[FORM]\r\nHIDE=0\r\nSIZE=40\r\n"
                                   "[BUTTON11]\r\nVISIBLE=1\r\nLEFT=200\r\nTOP=4\r\nWIDTH=40\r\nHEIGHT=30\r\n"
                                   "CAPTION=left\r\n"
                                   "[BUTTON12]\r\nVISIBLE=1\r\nLEFT=230\r\nTOP=4\r\nWIDTH=60\r\nHEIGHT=30\r\nIDATA=1000\r\n"
                                   "[BUTTON13]\r\nVISIBLE=1\r\nLEFT=280\r\nTOP=4\r\nWIDTH=40\r\nHEIGHT=30\r\n"
                                   "CAPTION=right\r\n"
                                   "[BUTTON14]\r\nVISIBLE=1\r\nLEFT=330\r\nTOP=4\r\nWIDTH=32\r\nHEIGHT=32\r\nIDATA=1004\r\n"));
  Win32Platform platform;
  SharedState data;
  TWinListDialog winList(platform.Windows);
  TForm1 form(data, platform.Ref, winList);
  PagerWindow pager(form);
  test::FakeSystemInfo sys;  // 14:05
  GdiGaugeCanvas canvas;
  ClockPanel clocks(form, sys, canvas);
  ASSERT_TRUE(pager.Create(::GetModuleHandleA(nullptr)));
  const HWND hwnd = pager.Handle();
  form.AttachHost(&pager, &pager, &pager.Outline());
  form.AttachClocks(&clocks);
  form.FormCreate(dir);
  pager.Show();
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(hwnd) && !::GetUpdateRect(hwnd, nullptr, FALSE); }));
  const std::vector<uint32_t> at5 = Capture(hwnd);
  ASSERT_EQ(form.Button(12).Caption, "14:05");

  sys.Time.Minute = 6;
  // The window's own timer brings the tick within a second.
  ASSERT_TRUE(test::PumpUntil([&] { return form.Button(12).Caption == "14:06"; }, 3000));
  test::Pump(100);
  const std::vector<uint32_t> ticked = Capture(hwnd);
  EXPECT_NE(ticked, at5) << "the new minute is not on the screen";
  ::InvalidateRect(hwnd, nullptr, FALSE);
  ::UpdateWindow(hwnd);
  EXPECT_EQ(Capture(hwnd), ticked) << "the tick's redraw differs from a paint of the whole panel";

  ::DestroyWindow(hwnd);
  MSG m;
  ::PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the pager ends the program when it goes
}

}  // namespace
}  // namespace korvi
