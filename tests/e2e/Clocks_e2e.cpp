// Clocks and load gauges of the real Korvi8.exe: they show, and a click steps a style.
#include <gtest/gtest.h>

#include <string>

#include "support/PagerFixture_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

// Buttons 11..17: the five clock styles and the two gauge styles, in one row at top 34.
std::string ClockSettings() {
  const int kinds[] = {1000, 1001, 1002, 1003, 1004, 2000, 2001};
  std::string ini = "[FORM]\r\nHIDE=0\r\nSIZE=140\r\n";
  for (int i = 0; i < 7; ++i) {
    const bool big = kinds[i] >= 1004;
    ini += "[BUTTON" + std::to_string(11 + i) + "]\r\nVISIBLE=1\r\nLEFT=" + std::to_string(4 + i * 105) +
           "\r\nTOP=34\r\nWIDTH=" + std::to_string(big ? 100 : 95) + "\r\nHEIGHT=" + std::to_string(big ? 100 : 25) +
           "\r\nIDATA=" + std::to_string(kinds[i]) + "\r\nLAYOUT=2\r\nFONT=Arial, $000000FF, 8, ----\r\n";
  }
  return ini;
}

// Counts pixels of one colour in a screen rectangle.
int CountPixels(RECT r, COLORREF c) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += ScreenPixel(x, y) == c;
  return n;
}

// Counts pixels that are mostly red (text may be drawn with smoothed edges).
int CountReddish(RECT r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      COLORREF c = ScreenPixel(x, y);
      n += GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100;
    }
  return n;
}

using ClocksEndToEnd = PagerTest;

TEST_F(ClocksEndToEnd, EveryStyleShowsAndAClickStepsIt) {
  ASSERT_TRUE(StartPager(ClockSettings().c_str()));
  PagerSession& pager = Pager();
  RECT p = pager.PagerRect();
  // Each digital style shows its text in red inside its button.
  auto textBox = [&](int i) {
    return RECT{p.left + 4 + i * 105 + 2, p.top + 34 + 2, p.left + 4 + i * 105 + 93, p.top + 34 + 23};
  };
  test::PumpUntil([&] {
    for (int i = 0; i < 4; ++i)
      if (CountReddish(textBox(i)) <= 15) return false;
    return true;
  });
  SaveScreenshot("clocks");
  for (int i = 0; i < 4; ++i) EXPECT_GT(CountReddish(textBox(i)), 15) << "clock style " << 1000 + i << " shows no text";
  // The analogue face (button 15 at 424, 34) draws red marks and hands on the panel.
  RECT face{p.left + 424 + 2, p.top + 34 + 2, p.left + 424 + 98, p.top + 34 + 98};
  EXPECT_GT(CountPixels(face, RGB(255, 0, 0)), 12 * 9) << "twelve 3x3 marks and two hands";
  RECT topMark{p.left + 424 + 40, p.top + 34 + 2, p.left + 424 + 60, p.top + 34 + 20};
  EXPECT_GE(CountPixels(topMark, RGB(255, 0, 0)), 9) << "the 12 o'clock mark is drawn";
  // The solid gauge (button 17 at 634, 34) is a block in the font colour.
  RECT block{p.left + 634 + 10, p.top + 34 + 10, p.left + 634 + 60, p.top + 34 + 40};
  EXPECT_GT(CountPixels(block, RGB(255, 0, 0)), 50 * 30 / 2) << "style 2001 is a solid block";

  // Click the first clock, then the panel background, which saves the settings.
  pager.ClickClient(4 + 47, 34 + 12);
  pager.ClickClient(900, 20);
  EXPECT_TRUE(test::PumpUntil([&] {
    std::string ini = pager.ReadIni();
    size_t at = ini.find("[BUTTON11]");
    return at != std::string::npos && ini.find("IDATA=1001", at) < ini.find("[BUTTON12]", at);
  })) << "the clicked clock went on to its next style";
  pager.Close();
}

}  // namespace
}  // namespace korvi::e2e
