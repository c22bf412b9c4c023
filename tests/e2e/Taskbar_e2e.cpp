// The pager has no taskbar button. Runs only on a Wine desktop with a taskbar
// (the test command starts one named "shell" and sets KORVI_SHELL_DESKTOP).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

struct ButtonSearch {
  HWND target;
  bool found;
};

// The shell's taskbar buttons are child buttons of the tray whose control ID is the
// window they stand for; a button is shown while its window has one.
BOOL CALLBACK FindButton(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<ButtonSearch*>(lp);
  if (::GetWindowLongPtrA(h, GWLP_ID) == reinterpret_cast<LONG_PTR>(s->target) && ::IsWindowVisible(h))
    s->found = true;
  return TRUE;
}

// True when the taskbar shows a button for `window`.
bool TaskbarShows(HWND window) {
  HWND tray = ::FindWindowA("Shell_TrayWnd", nullptr);
  if (!tray || !window) return false;
  ButtonSearch s{window, false};
  ::EnumChildWindows(tray, FindButton, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

struct ProcessWindows {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindows(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<ProcessWindows*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  if (pid == s->pid) s->found.push_back(h);
  return TRUE;
}

TEST(Taskbar, PagerHasNoTaskbarButton) {
  if (!::GetEnvironmentVariableA("KORVI_SHELL_DESKTOP", nullptr, 0)) GTEST_SKIP() << "needs a desktop with a taskbar";
  // The desktop's explorer of a freshly made prefix may still be creating its taskbar.
  ASSERT_TRUE(test::PumpUntil([] { return ::FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 30000))
      << "this desktop has no taskbar";

  // A plain application window gets a button: the check can see one.
  HWND app = ::CreateWindowExA(WS_EX_APPWINDOW, "STATIC", "korvi taskbar probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               50, 50, 200, 100, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(test::PumpUntil([&] { return TaskbarShows(app); }))
      << "an ordinary window shows on the taskbar";

  PagerSession pager(nullptr);
  ASSERT_TRUE(pager.Start());
  // The taskbar takes windows in the order they come: once a window opened after the
  // pager has its button, the taskbar has seen the pager's windows too.
  HWND later = ::CreateWindowExA(WS_EX_APPWINDOW, "STATIC", "korvi taskbar probe 2", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 80, 80, 200, 100, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(test::PumpUntil([&] { return TaskbarShows(later); })) << "the taskbar caught up";
  ::DestroyWindow(later);
  ProcessWindows mine{0, {}};
  ::GetWindowThreadProcessId(pager.Pager(), &mine.pid);
  ::EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&mine));
  ASSERT_FALSE(mine.found.empty());
  for (HWND h : mine.found) {
    char cls[64] = {};
    ::GetClassNameA(h, cls, sizeof cls);
    EXPECT_FALSE(TaskbarShows(h)) << "the pager's window of class " << cls << " has a taskbar button";
  }
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT r = pager.PagerRect();
  EXPECT_EQ(r.bottom, work.bottom) << "docked to the bottom of the work area, above the taskbar";
  SaveScreenshot("shell-desktop");
  pager.Close();
  ::DestroyWindow(app);
}

}  // namespace
}  // namespace korvi::e2e
