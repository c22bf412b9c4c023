// The edge-docked panel of the real Korvi8.exe: first start, auto-hide, edge drags.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "support/PagerFixture_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

// Drags with the left button from one screen point to another in a few steps.
void Drag(POINT from, POINT to) {
  PagerSession::MoveMouse(from.x, from.y);
  PagerSession::MouseButton(from.x, from.y, true);
  for (int i = 1; i <= 5; ++i)
    PagerSession::MoveMouse(from.x + (to.x - from.x) * i / 5, from.y + (to.y - from.y) * i / 5);
  PagerSession::MouseButton(to.x, to.y, false);
  SettleAt(to.x, to.y);
}

// One row of screen pixels across the panel, to compare what it shows.
std::vector<COLORREF> PixelRow(int y, int x0, int x1) {
  std::vector<COLORREF> row;
  for (int x = x0; x < x1; x += 3) row.push_back(ScreenPixel(x, y));
  return row;
}

using PanelEndToEnd = PagerTest;

TEST_F(PanelEndToEnd, FirstStartDocksToBottomAndHidesWhenTheMouseLeaves) {
  PagerSession::MoveMouse(512, 700);  // start with the mouse over where the panel comes
  ASSERT_TRUE(StartPager(nullptr, true));
  PagerSession& pager = Pager();
  const RECT work = WorkArea();
  RECT r = pager.PagerRect();
  EXPECT_EQ(r.left, work.left);
  EXPECT_EQ(r.right, work.right) << "full width";
  EXPECT_EQ(r.bottom, work.bottom) << "docked to the bottom";
  EXPECT_EQ(Height(r), 100) << "100 pixels thick";
  // Selector 1 at (4, 4) and 2 at (83, 4), 75 x 25; nothing to the right of them.
  const int rowY = r.top + 4 + 12;
  std::vector<COLORREF> before;
  EXPECT_TRUE(test::PumpUntil([&] {
    before = PixelRow(rowY, 0, 400);
    // The selectors are drawn: the row is not one colour.
    return std::adjacent_find(before.begin(), before.end(), std::not_equal_to<>()) != before.end();
  }));
  SaveScreenshot("panel-expanded");

  PagerSession::MoveMouse(512, 200);
  EXPECT_TRUE(test::PumpUntil([&] { return Height(pager.PagerRect()) == 3; }, 10000))
      << "collapses to a 3-pixel strip; height " << Height(pager.PagerRect());
  EXPECT_EQ(pager.PagerRect().bottom, work.bottom) << "the strip stays at the bottom edge";
  SaveScreenshot("panel-collapsed");

  PagerSession::MoveMouse(512, work.bottom - 2);
  EXPECT_TRUE(test::PumpUntil([&] { return Height(pager.PagerRect()) == 100; }, 10000))
      << "touching the strip expands the panel; height " << Height(pager.PagerRect());
  EXPECT_TRUE(test::PumpUntil([&] { return PixelRow(rowY, 0, 400) == before; }))
      << "every button back where it was";
}

TEST_F(PanelEndToEnd, InnerSideResizesAndEndsRedock) {
  ASSERT_TRUE(StartPager("[FORM]\r\nHIDE=0\r\n"));
  PagerSession& pager = Pager();
  const RECT work = WorkArea();
  RECT r = pager.PagerRect();
  ASSERT_EQ(Height(r), 100);

  // The inner (top) side of a bottom panel: drag it 50 pixels up.
  Drag({600, r.top + 3}, {600, r.top + 3 - 50});
  EXPECT_TRUE(test::PumpUntil([&] { return Height(pager.PagerRect()) == 150; }))
      << "height after the drag " << Height(pager.PagerRect());
  r = pager.PagerRect();
  EXPECT_EQ(r.bottom, work.bottom) << "the outer side stays at the edge";

  // The next click on the panel background writes the new thickness.
  pager.ClickClient(700, 80);
  EXPECT_TRUE(test::PumpUntil([&] { return pager.ReadIni().find("SIZE=150") != std::string::npos; }))
      << pager.ReadIni().substr(0, 200) << InputState(pager.Pager(), {700, r.top + 80});

  // A short end (left) dragged to the right screen edge re-docks the panel there.
  Drag({r.left + 3, (r.top + r.bottom) / 2}, {::GetSystemMetrics(SM_CXSCREEN) - 2, 384});
  EXPECT_TRUE(test::PumpUntil([&] { return Width(pager.PagerRect()) == 150; }))
      << "width after the re-dock " << Width(pager.PagerRect()) << "; "
      << InputState(pager.Pager(), {::GetSystemMetrics(SM_CXSCREEN) - 2, 384});
  r = pager.PagerRect();
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.top, work.top);
  EXPECT_EQ(r.bottom, work.bottom) << "spans the full height of the right edge";
  SaveScreenshot("panel-right");
  pager.ClickClient(75, 600);
  EXPECT_TRUE(test::PumpUntil([&] { return pager.ReadIni().find("EDGE=4") != std::string::npos; }));
}

}  // namespace
}  // namespace korvi::e2e
