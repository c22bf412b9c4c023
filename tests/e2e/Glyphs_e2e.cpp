// Launcher glyphs of the real Korvi8.exe as they show on the screen.
#include <gtest/gtest.h>

#include <string>

#include "buttons/ButtonLayout.h"
#include "support/PagerFixture_win.h"
#include "win/TestFiles_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

using GlyphsEndToEnd = PagerTest;

TEST_F(GlyphsEndToEnd, IconGlyphCornersShowTheButtonFace) {
  // Button 11: a 50 x 50 launcher at (200, 20) whose glyph is a blue dot on a
  // see-through 32 x 32 icon; button 12 beside it shows the program's own icon.
  const std::string ini = "[FORM]\r\nHIDE=0\r\n[BUTTON11]\r\nVISIBLE=1\r\nLEFT=200\r\nTOP=20\r\nWIDTH=50\r\n"
                          "HEIGHT=50\r\nGLYPH=" + test::Fixture("dot.ico") +
                          "\r\nCAPTION=\r\n[BUTTON12]\r\nVISIBLE=1\r\nLEFT=260\r\nTOP=20\r\nWIDTH=50\r\nHEIGHT=50\r\n"
                          "PROGRAM=C:\\windows\\notepad.exe\r\nGLYPH=C:\\windows\\notepad.exe\r\nCAPTION=\r\n";
  ASSERT_TRUE(StartPager(ini.c_str()));
  const RECT p = Pager().PagerRect();
  const Rect glyph = LayoutButton({200, 20, 250, 70}, {32, 32}, {0, 0}, 0, false).Glyph;
  const int x = p.left + glyph.Left, y = p.top + glyph.Top;
  EXPECT_TRUE(test::PumpUntil([&] { return ScreenPixel(x + 15, y + 15) == RGB(0, 0, 255); }))
      << "the dot shows in the middle of its button";
  SaveScreenshot("glyphs");
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  for (POINT c : {POINT{0, 0}, POINT{31, 0}, POINT{0, 31}, POINT{31, 31}})
    EXPECT_EQ(ScreenPixel(x + c.x, y + c.y), face)
        << "the icon's see-through corner " << c.x << "," << c.y << " shows the button face, not a white square";
  // The program's icon: drawn, and its white surround left out.
  int drawn = 0, white = 0;
  for (int j = 0; j < 32; ++j)
    for (int i = 0; i < 32; ++i) {
      const COLORREF c = ScreenPixel(x + 60 + i, y + j);
      drawn += c != face;
      white += c == RGB(255, 255, 255);
    }
  EXPECT_GT(drawn, 100) << "the program's icon shows";
  EXPECT_LT(white, 32) << "no white square around the program's icon";
}

// A panel kept on top from its settings file is on top from the start, and a button's
// hint still shows above it when the mouse rests on the button.
TEST_F(GlyphsEndToEnd, PanelOnTopFromTheStartShowsHintsAboveIt) {
  ASSERT_TRUE(StartPager("[FORM]\r\nHIDE=0\r\nONTOP=1\r\n[BUTTON11]\r\nVISIBLE=1\r\nLEFT=200\r\nTOP=20\r\n"
                         "WIDTH=50\r\nHEIGHT=50\r\nCAPTION=Pad\r\nHINT=Opens the notes\r\n"));
  EXPECT_TRUE(::GetWindowLongA(Pager().Pager(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "on top as the file says";
  const RECT p = Pager().PagerRect();
  PagerSession::MoveMouse(p.left + 215, p.top + 40);
  PagerSession::MoveMouse(p.left + 225, p.top + 45);
  DWORD pagerProcess = 0;
  ::GetWindowThreadProcessId(Pager().Pager(), &pagerProcess);
  auto shownTip = [&]() -> HWND {
    for (HWND w = ::FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); w;
         w = ::FindWindowExA(nullptr, w, "tooltips_class32", nullptr)) {
      DWORD process = 0;
      ::GetWindowThreadProcessId(w, &process);
      if (process == pagerProcess && ::IsWindowVisible(w)) return w;
    }
    return nullptr;
  };
  HWND tip = nullptr;
  ASSERT_TRUE(test::PumpUntil([&] { return (tip = shownTip()) != nullptr; })) << "no hint showed";
  SaveScreenshot("hint-over-panel-on-top");  // the tip holds no window text to read; its text is on the picture
  EXPECT_TRUE(::GetWindowLongA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the hint shows above a panel on top";
  EXPECT_TRUE(::GetWindowLongA(Pager().Pager(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "still on top";
}

}  // namespace
}  // namespace korvi::e2e
