// "Exit" from the panel's right-click menu saves the settings and ends the pager.
#include <gtest/gtest.h>

#include "e2e/MenuDriver.h"
#include "support/PagerFixture_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

using ExitEndToEnd = PagerTest;

TEST_F(ExitEndToEnd, RightClickMenuExitSavesAndEnds) {
  ASSERT_TRUE(StartPager("[FORM]\r\nHIDE=0\r\n[DESKTOP]\r\nCOUNT=3\r\n"));
  PagerSession& pager = Pager();
  ASSERT_TRUE(RightClick(pager, 600, 60)) << "no menu opened";
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
