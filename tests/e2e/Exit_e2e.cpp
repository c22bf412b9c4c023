// "Exit" from the panel's right-click menu saves the settings and ends the pager.
#include <gtest/gtest.h>

#include "support/PagerFixture_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
  test::Pump(60);
}

using ExitEndToEnd = PagerTest;

TEST_F(ExitEndToEnd, RightClickMenuExitSavesAndEnds) {
  ASSERT_TRUE(StartPager("[FORM]\r\nHIDE=0\r\n[DESKTOP]\r\nCOUNT=3\r\n"));
  PagerSession& pager = Pager();
  RECT r = pager.PagerRect();
  POINT p{r.left + 600, r.top + 60};
  PagerSession::MoveMouse(p.x, p.y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  ::SendInput(1, &in, sizeof in);
  test::Pump(40);
  in.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  ::SendInput(1, &in, sizeof in);
  ASSERT_TRUE(test::PumpUntil([] { return ::FindWindowA("#32768", nullptr) != nullptr; })) << "no menu opened";
  SaveScreenshot("menu");
  Key(VK_UP);  // from no selection up to the last item, "Exit"
  Key(VK_RETURN);
  EXPECT_TRUE(test::PumpUntil([&] { return !pager.Running(); }, 8000)) << "the pager did not end";
  std::string ini = pager.ReadIni();
  EXPECT_NE(ini.find("[BUTTON128]"), std::string::npos) << "Exit wrote the settings first";
  EXPECT_NE(ini.find("COUNT=3"), std::string::npos);
}

}  // namespace
}  // namespace korvi::e2e
