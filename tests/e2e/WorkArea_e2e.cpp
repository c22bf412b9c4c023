// The panel of the real Korvi8.exe follows the screen when its resolution changes.
#include <gtest/gtest.h>

#include "support/PagerFixture_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

using WorkAreaEndToEnd = PagerTest;

bool SetResolution(int w, int h) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = w;
  mode.dmPelsHeight = h;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return ::ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

// Puts the resolution back however the test ends.
struct ResolutionRestorer {
  ~ResolutionRestorer() { SetResolution(1024, 768); }
};

POINT CursorNow() {
  POINT p{};
  ::GetCursorPos(&p);
  return p;
}

bool Is(const RECT& a, const RECT& b) { return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom; }

TEST_F(WorkAreaEndToEnd, PanelFollowsAResolutionChangeExpandedAndCollapsed) {
  ASSERT_TRUE(StartPager("[FORM]\r\nHIDE=1\r\nSIZE=120\r\n"));
  const RECT start = Pager().PagerRect();
  ASSERT_EQ(Height(start), 120);
  ResolutionRestorer restore;
  PagerSession::MoveMouse(100, 700);
  if (!SetResolution(800, 600)) GTEST_SKIP() << "this display cannot change its resolution";

  RECT work = WorkArea();
  EXPECT_TRUE(test::PumpUntil([&] { return Is(Pager().PagerRect(), {work.left, work.bottom - 120, work.right, work.bottom}); }))
      << "expanded: 120 pixels at the bottom of the 800x600 work area; now " << Pager().PagerRect().left << ","
      << Pager().PagerRect().top << "-" << Pager().PagerRect().right << "," << Pager().PagerRect().bottom;
  SaveScreenshot("workarea-800x600");

  PagerSession::MoveMouse(400, 100);
  ASSERT_TRUE(test::PumpUntil([&] { return Height(Pager().PagerRect()) == 3; }, 10000)) << "collapses";
  SetResolution(1024, 768);
  work = WorkArea();
  ASSERT_EQ(work.right - work.left, 1024) << "back to the first resolution";
  // The X server may put the pointer back where it was before the screen shrank (here on the
  // panel, which then rightly expands): the user's pointer stays away from the panel.
  PagerSession::MoveMouse(400, 100);
  EXPECT_TRUE(test::PumpUntil([&] { return Is(Pager().PagerRect(), {work.left, work.bottom - 3, work.right, work.bottom}); }, 10000))
      << "collapsed: the strip at the bottom of the 1024x768 work area; now " << Pager().PagerRect().left << ","
      << Pager().PagerRect().top << "-" << Pager().PagerRect().right << "," << Pager().PagerRect().bottom << " in "
      << WorkArea().right << "x" << WorkArea().bottom << ", cursor " << CursorNow().x << "," << CursorNow().y;

  PagerSession::MoveMouse(512, work.bottom - 2);
  EXPECT_TRUE(test::PumpUntil([&] { return Is(Pager().PagerRect(), start); }))
      << "touched, it expands to its 120 pixels where it started";
}

}  // namespace
}  // namespace korvi::e2e
