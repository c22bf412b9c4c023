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

}  // namespace
}  // namespace korvi::e2e
