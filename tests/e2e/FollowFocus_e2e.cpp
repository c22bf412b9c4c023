// The real Korvi8.exe following the window in front: this test program brings one of
// its windows lying on desktop 2 to the front, as any program may activate itself.
// Wine sends no foreground notices, so this is the pager's timer at work.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

// Selectors are laid out 75 x 25 from (4, 4), 4 pixels apart: selector n's centre.
int SelectorX(int n) { return 4 + (n - 1) * 79 + 37; }
constexpr int kSelectorY = 16;

// Brings `h` to the front and waits until the system says it is there.
bool BringToFront(HWND h) {
  ::SetForegroundWindow(h);
  return test::PumpUntil([&] { return ::GetForegroundWindow() == h; });
}

TEST(FollowFocusEndToEnd, AWindowOfDesktop2BroughtToTheFrontInEachMode) {
  struct Case {
    const char* mode;  // the [OPTIONS] line, none for the default
    int home, second, third;  // where the three windows end up (left edges, W = screen width)
  };
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  const Case cases[] = {
      {"", 100 - W, 100, 100 + W},                 // desktop 2 is shown
      {"FOLLOWFOCUS=2\r\n", 100, 100, 100 + 2 * W},  // the window comes to desktop 1
      {"FOLLOWFOCUS=0\r\n", 100, 100 + W, 100 + 2 * W},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("options: ") + c.mode);
    const std::string ini = std::string("[FORM]\r\nHIDE=0\r\n[DESKTOP]\r\nCOUNT=3\r\n[OPTIONS]\r\n") + c.mode;
    PagerSession pager(ini.c_str());
    ASSERT_TRUE(pager.Start()) << "the pager window did not show";
    test::TestWindows windows;
    HWND home = windows.Open(100, 100, 300, 200);
    HWND second = windows.Open(100 + W, 150, 300, 200);
    HWND third = windows.Open(100 + 2 * W, 200, 300, 200);
    ASSERT_TRUE(BringToFront(home));
    test::Pump(600);  // the pager has looked at the front window since
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_TRUE(BringToFront(second));
    const bool moved = test::PumpUntil(
        [&] { return test::LeftOf(home) == c.home && test::LeftOf(second) == c.second; }, 5000);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
    if (c.home != 100 || c.second != 100 + W) {
      EXPECT_TRUE(moved) << "left edges " << test::LeftOf(home) << ", " << test::LeftOf(second);
      std::printf("[ followed ] mode %c in %d ms\n", *c.mode ? c.mode[12] : '1', static_cast<int>(ms.count()));
    }
    // Nothing more happens: no window moves on, nothing bounces back.
    test::Pump(1500);
    EXPECT_EQ(test::LeftOf(home), c.home);
    EXPECT_EQ(test::LeftOf(second), c.second);
    EXPECT_EQ(test::LeftOf(third), c.third) << "desktop 3 keeps its window";
    if (c.home == 100 - W) {
      SaveScreenshot("follow-focus-desktop2");
      // The user goes back to desktop 1 with the window of desktop 2 still in front:
      // the pager's own switch is never followed back.
      pager.ClickClient(SelectorX(1), kSelectorY);
      EXPECT_TRUE(test::PumpUntil([&] { return test::LeftOf(second) == 100 + W; })) << test::LeftOf(second);
      test::Pump(1500);
      EXPECT_EQ(test::LeftOf(second), 100 + W) << "desktop 2 did not come back";
      EXPECT_EQ(test::LeftOf(home), 100);
    }
    pager.Close();
  }
}

struct ButtonSearch {
  HWND target, button;
};

// The shell's taskbar buttons are child buttons of the tray whose control ID is the
// window they stand for.
BOOL CALLBACK FindButton(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<ButtonSearch*>(lp);
  if (::GetWindowLongPtrA(h, GWLP_ID) == reinterpret_cast<LONG_PTR>(s->target) && ::IsWindowVisible(h)) s->button = h;
  return TRUE;
}

HWND TaskbarButtonOf(HWND window) {
  ButtonSearch s{window, nullptr};
  if (HWND tray = ::FindWindowA("Shell_TrayWnd", nullptr)) ::EnumChildWindows(tray, FindButton, reinterpret_cast<LPARAM>(&s));
  return s.button;
}

// Named for the test command's run on a desktop with a taskbar.
TEST(TaskbarFollowFocus, TheTaskbarButtonOfAWindowOnDesktop2BringsDesktop2) {
  if (!::GetEnvironmentVariableA("KORVI_SHELL_DESKTOP", nullptr, 0)) GTEST_SKIP() << "needs a desktop with a taskbar";
  ASSERT_TRUE(test::PumpUntil([] { return ::FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 30000))
      << "this desktop has no taskbar";
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  PagerSession pager("[FORM]\r\nHIDE=0\r\n[DESKTOP]\r\nCOUNT=3\r\n");
  ASSERT_TRUE(pager.Start());
  HWND away = ::CreateWindowExA(WS_EX_APPWINDOW, "STATIC", "korvi on desktop 2", WS_OVERLAPPEDWINDOW, 100 + W, 100,
                                300, 200, nullptr, nullptr, nullptr, nullptr);
  ::ShowWindow(away, SW_SHOWNOACTIVATE);
  HWND button = nullptr;
  ASSERT_TRUE(test::PumpUntil([&] { return (button = TaskbarButtonOf(away)) != nullptr; })) << "no taskbar button";
  test::Pump(600);
  ASSERT_EQ(test::LeftOf(away), 100 + W) << "nothing followed before the click";
  RECT r{};
  ::GetWindowRect(button, &r);
  PagerSession::ClickScreen((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_TRUE(test::PumpUntil([&] { return test::LeftOf(away) == 100; }))
      << "desktop 2 is shown; the window is at " << test::LeftOf(away) << ", in front "
      << (::GetForegroundWindow() == away);
  SaveScreenshot("follow-focus-taskbar");
  pager.Close();
  ::DestroyWindow(away);
}

}  // namespace
}  // namespace korvi::e2e
