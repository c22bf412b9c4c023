// The real Korvi8.exe's command menu, every command driven as a user drives it.
#include <gtest/gtest.h>

#include "e2e/MenuDriver.h"
#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

// Selectors are laid out 75 x 25 from (4, 4), 4 pixels apart: selector n's centre.
int SelectorX(int n) { return 4 + (n - 1) * 79 + 37; }
constexpr int kSelectorY = 16;

// Button 15: a 40 x 40 launcher at (500, 10).
constexpr char kButton15[] =
    "[BUTTON15]\r\nVISIBLE=1\r\nLEFT=500\r\nTOP=10\r\nWIDTH=40\r\nHEIGHT=40\r\nCAPTION=B15\r\nIDATA=0\r\n";

// The window each of the three button commands opens.
const char* EffectOf(int item) {
  return item == menu::MoveWindow ? "Korvi8Picker" : item == menu::MoveButton ? "Korvi8Position" : "#32770";
}

bool Refused(PagerSession& pager, int x, int y, int item) {
  return RightClick(pager, x, y) && ChoiceRefused(item, EffectOf(item));
}

TEST(CommandMenuEndToEnd, ButtonCommandsActOnTheButtonUnderTheRightClick) {
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  std::string ini = std::string("[FORM]\r\nHIDE=0\r\nEDGE=1\r\n[DESKTOP]\r\nCOUNT=4\r\n") + kButton15;
  PagerSession pager(ini.c_str());
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  test::TestWindows windows;
  HWND editor = windows.Open(200, 150, 300, 200, true, "editor");
  test::Pump(100);

  // Selector 3: "Remove Button ..." is disabled, "Move Window to Desktop 3" works.
  ASSERT_TRUE(RightClick(pager, SelectorX(3), kSelectorY));
  test::Pump(300);
  SaveScreenshot("menu-selector3");
  EXPECT_TRUE(ChoiceRefused(menu::Remove, "#32770", "Confirm")) << "a selector cannot be removed";
  HWND picker = ChooseUntilShown(pager, SelectorX(3), kSelectorY, menu::MoveWindow, "Korvi8Picker");
  ASSERT_TRUE(picker) << "the window picker did not open";
  test::PumpUntil([&] { return ::GetForegroundWindow() == picker; }, 2000);
  test::Pump(300);
  ClickScreen(350, 250);
  EXPECT_TRUE(test::PumpUntil([&] { return test::LeftOf(editor) == 200 + 2 * W; }))
      << "the picked window goes to desktop 3, two screen widths right; left " << test::LeftOf(editor);
  EXPECT_EQ(test::TopOf(editor), 150);

  // Picking the pager itself or the bare desktop moves nothing.
  const RECT panel = pager.PagerRect();
  for (POINT at : {POINT{panel.left + 700, panel.top + 60}, POINT{600, 500}}) {
    ASSERT_TRUE(ChooseUntilShown(pager, SelectorX(2), kSelectorY, menu::MoveWindow, "Korvi8Picker"));
    test::PumpUntil([&] { return ::GetForegroundWindow() == picker; }, 2000);
    test::Pump(300);
    ClickScreen(at.x, at.y);
    ASSERT_TRUE(test::PumpUntil([] { return !::IsWindowVisible(::FindWindowA("Korvi8Picker", nullptr)); }));
    EXPECT_EQ(pager.PagerRect().left, panel.left) << "the pager stays";
    EXPECT_EQ(test::LeftOf(editor), 200 + 2 * W);
  }

  // The bare panel: "Move Button ..." and "Move Window ..." are disabled.
  EXPECT_TRUE(Refused(pager, 700, 60, menu::MoveButton));
  EXPECT_TRUE(Refused(pager, 700, 60, menu::MoveWindow));
  // Button 15: "Move Window ..." disabled, "Remove Button 15" asks; No keeps it, Yes removes it.
  EXPECT_TRUE(Refused(pager, 520, 30, menu::MoveWindow));
  for (int answer : {IDNO, IDYES}) {
    ASSERT_TRUE(RightClick(pager, 520, 30));
    Choose(menu::Remove);
    HWND ask = WaitWindow("#32770", "Confirm");
    ASSERT_TRUE(ask) << "no question was asked";
    EXPECT_EQ(DialogText(ask), "Remove Button 15?");
    if (answer == IDYES) SaveScreenshot("remove-button-15");
    ::PostMessageA(ask, WM_COMMAND, answer, 0);
    ASSERT_TRUE(test::PumpUntil([&] { return !::IsWindow(ask); }));
    if (answer == IDNO) {
      test::Pump(300);
      EXPECT_EQ(IniValue(pager, "BUTTON15", "VISIBLE"), "1") << "No keeps the button";
    } else {
      EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "BUTTON15", "VISIBLE") == "0"; }))
          << "Yes removes it and saves";
    }
  }
  // Gone from the panel: a right click there is on the bare panel now.
  EXPECT_TRUE(Refused(pager, 520, 30, menu::MoveButton));
}

TEST(CommandMenuEndToEnd, FewerDesktopsMoveNothingAndTheLastGathersStrays) {
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  PagerSession pager("[FORM]\r\nHIDE=0\r\nEDGE=1\r\n[DESKTOP]\r\nCOUNT=5\r\n");
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  test::TestWindows windows;
  HWND home = windows.Open(100, 100, 300, 200, true, "home");
  HWND fifth = windows.Open(100 + 4 * W, 120, 300, 200, true, "fifth");
  test::Pump(100);
  pager.ClickClient(SelectorX(4), kSelectorY);
  ASSERT_TRUE(test::PumpUntil([&] { return test::LeftOf(home) == 100 - 3 * W && test::LeftOf(fifth) == 100 + W; }));

  ASSERT_TRUE(RightClick(pager, 700, 60));
  Choose(menu::DeskCount, 1);  // "2  Desktops"
  EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "DESKTOP", "COUNT") == "2"; })) << "saved at once";
  test::Pump(300);
  EXPECT_EQ(test::LeftOf(home), 100 - 3 * W) << "no window moves; desktop 4 stays shown";
  EXPECT_EQ(test::LeftOf(fifth), 100 + W);
  pager.ClickClient(SelectorX(3), kSelectorY);  // selector 3 is hidden now: a bare-panel click
  test::Pump(300);
  EXPECT_EQ(test::LeftOf(home), 100 - 3 * W) << "the hidden selector 3 switched nothing";

  // "Go To Desktop" 2, now the last: the window lying right of the screen comes back.
  ASSERT_TRUE(RightClick(pager, 700, 60));
  Choose(menu::GoTo, 1);
  EXPECT_TRUE(test::PumpUntil([&] { return test::LeftOf(home) == 100 - W; })) << test::LeftOf(home);
  EXPECT_TRUE(test::PumpUntil([&] { return test::LeftOf(fifth) >= 0 && test::LeftOf(fifth) < W; }))
      << "gathered onto the screen: left " << test::LeftOf(fifth);
}

}  // namespace
}  // namespace korvi::e2e
