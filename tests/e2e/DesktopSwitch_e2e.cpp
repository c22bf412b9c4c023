// The real Korvi8.exe switching desktops, driven through the mouse.
#include <gtest/gtest.h>

#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

// Selectors are laid out 75 x 25 from (4, 4), 4 pixels apart: selector n's centre.
int SelectorX(int n) { return 4 + (n - 1) * 79 + 37; }
constexpr int kSelectorY = 16;

constexpr char kThreeDesktops[] =
    "; written by hand, kept by every save\r\n"
    "[MyNotes]\r\n"
    "remember=the milk\r\n"
    "\r\n"
    "[DESKTOP]\r\n"
    "COUNT=3\r\n"
    "[FORM]\r\n"
    "HIDE=0\r\n"
    "[PANELCOLOR]\r\n"
    "COLOR1=255\r\n"
    "COLOR3=65280\r\n";

TEST(PagerEndToEnd, SelectorsSwitchRealWindowsAndApplyColourAndWallpaper) {
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  std::string wall = test::TempDir() + "\\desk3.bmp";
  test::WriteSmallBitmap(wall);
  std::string ini = std::string(kThreeDesktops) + "[WALLPAPER]\r\nFILE3=" + wall + "\r\n";
  NoWallpaperAfter restore;  // desktop 1 has none of its own, so going back leaves desktop 3's
  PagerSession pager(ini.c_str());
  ASSERT_TRUE(pager.Start()) << "the pager window did not show";

  test::TestWindows windows;
  HWND home = windows.Open(100, 100, 300, 200);
  HWND third = windows.Open(100 + 2 * W, 150, 300, 200);
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(home) && ::IsWindowVisible(third); }));

  pager.ClickClient(SelectorX(3), kSelectorY);
  EXPECT_TRUE(test::PumpUntil([&] { return test::LeftOf(home) == 100 - 2 * W && test::LeftOf(third) == 100; }))
      << "after selector 3: left " << test::LeftOf(home) << " and " << test::LeftOf(third);
  char current[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0);
  EXPECT_STREQ(current, wall.c_str()) << "desktop 3's wallpaper is applied";
  RECT r = pager.PagerRect();
  EXPECT_TRUE(test::PumpUntil([&] { return ScreenPixel(r.right - 3, r.bottom - 3) == RGB(0, 255, 0); }))
      << "panel colour of desktop 3";
  SaveScreenshot("desktop3");

  pager.ClickClient(SelectorX(1), kSelectorY);
  EXPECT_TRUE(test::PumpUntil([&] { return test::LeftOf(home) == 100 && test::LeftOf(third) == 100 + 2 * W; }))
      << "after selector 1: left " << test::LeftOf(home) << " and " << test::LeftOf(third);
  EXPECT_TRUE(test::PumpUntil([&] { return ScreenPixel(r.right - 3, r.bottom - 3) == RGB(255, 0, 0); }))
      << "panel colour of desktop 1";

  // A click on the bare panel saves the settings: the hand-written section survives.
  pager.ClickClient(r.right - r.left - 10, 60);
  EXPECT_TRUE(test::PumpUntil([&] { return pager.ReadIni().find("[BUTTON1]") != std::string::npos; }))
      << "the background click wrote the settings file";
  std::string saved = pager.ReadIni();
  EXPECT_NE(saved.find("; written by hand, kept by every save\r\n[MyNotes]\r\nremember=the milk\r\n"),
            std::string::npos)
      << saved.substr(0, 300);
  pager.Close();
  EXPECT_FALSE(pager.Running());
}

TEST(PagerEndToEnd, SelectorsTheFileShowsWithoutAPlaceTakeTheirPlaceInTheRow) {
  PagerSession pager("[FORM]\r\nHIDE=0\r\n[DESKTOP]\r\nCOUNT=10\r\n[BUTTON2]\r\nVISIBLE=1\r\n"
                     "[BUTTON6]\r\nVISIBLE=1\r\n[PANELCOLOR]\r\nCOLOR1=255\r\nCOLOR2=16711680\r\nCOLOR6=65280\r\n");
  ASSERT_TRUE(pager.Start()) << "the pager window did not show";
  const RECT r = pager.PagerRect();
  ASSERT_GE(r.right - r.left, SelectorX(10) + 38) << "the ten selectors fit one row";
  // Each click at a selector's place shows that desktop's panel colour (desktop 10 has the default grey).
  const struct {
    int n;
    COLORREF colour;
  } clicks[] = {{6, RGB(0, 255, 0)}, {1, RGB(255, 0, 0)}, {2, RGB(0, 0, 255)}, {10, RGB(128, 128, 128)}};
  for (const auto& c : clicks) {
    pager.ClickClient(SelectorX(c.n), kSelectorY);
    EXPECT_TRUE(test::PumpUntil([&] { return ScreenPixel(r.right - 3, r.bottom - 3) == c.colour; }))
        << "a click at selector " << c.n << "'s place";
  }
  SaveScreenshot("ten-selectors");
  // A save writes the place the layout gave.
  pager.ClickClient(r.right - r.left - 10, 60);
  EXPECT_TRUE(test::PumpUntil(
      [&] { return pager.ReadIni().find("[BUTTON6]\r\nVISIBLE=1\r\nLEFT=399\r\nTOP=4\r\n") != std::string::npos; }))
      << pager.ReadIni().substr(0, 400);
  pager.Close();
}

}  // namespace
}  // namespace korvi::e2e
