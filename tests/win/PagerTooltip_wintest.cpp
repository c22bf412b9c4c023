// The pager's tooltip over a real window: its one tool follows the hot button.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "main/PagerTooltip_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

TEST(PagerTooltip, ToolFollowsTheHotButtonEvenWhenTheNextHasTheSameHint) {
  test::TestWindows windows;
  HWND pager = windows.Open(100, 100, 300, 100);
  PagerTooltip tip;
  tip.Create(::GetModuleHandleA(nullptr), nullptr, pager);
  ASSERT_TRUE(tip.Window());
  auto toolRect = [&] {
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = pager;
    ti.uId = 1;
    ::SendMessageA(tip.Window(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti));
    return Rect{ti.rect.left, ti.rect.top, ti.rect.right, ti.rect.bottom};
  };
  tip.Show("Clock", {0, 0, 75, 25});
  EXPECT_EQ(toolRect(), (Rect{0, 0, 75, 25}));
  tip.Show("Clock", {79, 0, 154, 25});  // a second clock, its hint the same
  EXPECT_EQ(toolRect(), (Rect{79, 0, 154, 25})) << "the tip stands over the button under the mouse";
  tip.Show("", {});
  EXPECT_EQ(toolRect(), (Rect{0, 0, 0, 0})) << "the bare panel has no tool area";
}

}  // namespace
}  // namespace korvi
