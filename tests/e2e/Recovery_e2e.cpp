// Every window stays reachable with the real Korvi8.exe: when it is killed (its guardian
// brings the windows back), at the end of a session, after a normal Exit (nothing moves),
// and on a screen too wide for ten desktops.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/MenuDriver.h"
#include "support/PagerFixture_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

using RecoveryEndToEnd = PagerTest;

int SelectorX(int n) { return 4 + (n - 1) * 79 + 37; }
constexpr int kSelectorY = 16;
constexpr char kThreeDesktops[] = "[FORM]\r\nHIDE=0\r\n[DESKTOP]\r\nCOUNT=3\r\n";

DWORD ProcessOf(HWND h) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  return pid;
}

// The process `parent` started: the guardian of a pager.
DWORD ChildOf(DWORD parent) {
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 e{};
  e.dwSize = sizeof e;
  DWORD child = 0;
  for (BOOL ok = ::Process32First(snap, &e); ok && !child; ok = ::Process32Next(snap, &e))
    if (e.th32ParentProcessID == parent && e.th32ProcessID != parent) child = e.th32ProcessID;
  ::CloseHandle(snap);
  return child;
}

struct FindWindowOf {
  DWORD pid;
  bool found;
};

BOOL CALLBACK IsWindowOf(HWND h, LPARAM p) {
  auto* f = reinterpret_cast<FindWindowOf*>(p);
  if (ProcessOf(h) == f->pid) f->found = true;
  return !f->found;
}

bool HasWindows(DWORD pid) {
  FindWindowOf f{pid, false};
  ::EnumWindows(&IsWindowOf, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

// Desktop 2 shown: a window of desktop 1 and one of desktop 3 (this test's process) off the screen.
struct TwoAway {
  test::TestWindows windows;
  int W = ::GetSystemMetrics(SM_CXSCREEN);
  HWND home = windows.Open(100, 100, 300, 200);
  HWND third = windows.Open(100 + 2 * W, 150, 300, 200);

  bool ShowSecond(PagerSession& pager) {
    if (!test::PumpUntil([&] { return ::IsWindowVisible(home) && ::IsWindowVisible(third); })) return false;
    pager.ClickClient(SelectorX(2), kSelectorY);
    return test::PumpUntil([&] { return test::LeftOf(home) == 100 - W && test::LeftOf(third) == 100 + W; });
  }
  bool BothHome(int ms) {
    return test::PumpUntil([&] { return test::LeftOf(home) == 100 && test::LeftOf(third) == 100; }, ms);
  }
};

TEST_F(RecoveryEndToEnd, GuardianBringsEveryWindowBackWhenThePagerIsKilled) {
  ASSERT_TRUE(StartPager(kThreeDesktops));
  const DWORD pagerPid = ProcessOf(Pager().Pager());
  DWORD guardian = 0;
  ASSERT_TRUE(test::PumpUntil([&] { return (guardian = ChildOf(pagerPid)) != 0; })) << "no guardian started";
  HANDLE guard = ::OpenProcess(SYNCHRONIZE, FALSE, guardian);
  ASSERT_NE(guard, nullptr);
  EXPECT_FALSE(HasWindows(guardian)) << "the guardian has no window";
  TwoAway w;
  ASSERT_TRUE(w.ShowSecond(Pager())) << test::LeftOf(w.home) << " " << test::LeftOf(w.third);
  const ULONGLONG start = ::GetTickCount64();
  Pager().Kill();
  EXPECT_TRUE(w.BothHome(2000)) << "within 2 s: " << test::LeftOf(w.home) << " " << test::LeftOf(w.third);
  std::printf("windows back %llu ms after the pager was killed\n", ::GetTickCount64() - start);
  EXPECT_EQ(::WaitForSingleObject(guard, 5000), WAIT_OBJECT_0) << "the guardian ends with its pager";
  ::CloseHandle(guard);
}

TEST_F(RecoveryEndToEnd, APagerStartedAfterItsGuardianAndItWereBothKilledBringsTheirWindowsBack) {
  ASSERT_TRUE(StartPager(kThreeDesktops));
  DWORD guardian = 0;
  ASSERT_TRUE(test::PumpUntil([&] { return (guardian = ChildOf(ProcessOf(Pager().Pager()))) != 0; }));
  TwoAway w;
  ASSERT_TRUE(w.ShowSecond(Pager()));
  HANDLE guard = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, guardian);
  ASSERT_NE(guard, nullptr);
  ::TerminateProcess(guard, 1);
  ::WaitForSingleObject(guard, 5000);
  ::CloseHandle(guard);
  test::PumpUntil([] { return false; }, 500);
  EXPECT_EQ(test::LeftOf(w.home), 100 - w.W) << "ending the guardian alone moves nothing";
  Pager().Kill();
  test::PumpUntil([] { return false; }, 500);
  ASSERT_EQ(test::LeftOf(w.third), 100 + w.W) << "no one is left to bring them back";
  ASSERT_TRUE(Pager().Start());
  EXPECT_TRUE(w.BothHome(2000)) << test::LeftOf(w.home) << " " << test::LeftOf(w.third);
}

TEST_F(RecoveryEndToEnd, ExitLeavesOtherDesktopsWhereTheyAreAndTheGuardianDoesNothing) {
  ASSERT_TRUE(StartPager(kThreeDesktops));
  const DWORD guardian = ChildOf(ProcessOf(Pager().Pager()));
  TwoAway w;
  ASSERT_TRUE(w.ShowSecond(Pager()));
  ASSERT_TRUE(RightClick(Pager(), 600, 60)) << "no menu opened";
  Key(VK_UP);  // the last item, "Exit"
  Key(VK_RETURN);
  ASSERT_TRUE(test::PumpUntil([&] { return !Pager().Running(); }, 8000));
  HANDLE guard = ::OpenProcess(SYNCHRONIZE, FALSE, guardian);
  if (guard) {
    EXPECT_EQ(::WaitForSingleObject(guard, 5000), WAIT_OBJECT_0) << "the guardian ends with its pager";
    ::CloseHandle(guard);
  }
  test::PumpUntil([] { return false; }, 1500);
  EXPECT_EQ(test::LeftOf(w.home), 100 - w.W);
  EXPECT_EQ(test::LeftOf(w.third), 100 + w.W);
}

TEST_F(RecoveryEndToEnd, EndOfSessionGathersEveryDesktopBeforeProgramsSaveTheirPlaces) {
  ASSERT_TRUE(StartPager(kThreeDesktops));
  TwoAway w;
  ASSERT_TRUE(w.ShowSecond(Pager()));
  DWORD_PTR answer = 0;
  const ULONGLONG start = ::GetTickCount64();
  ASSERT_TRUE(::SendMessageTimeoutA(Pager().Pager(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                                    &answer));
  EXPECT_LE(::GetTickCount64() - start, 2500u) << "the pager answers within its bound";
  EXPECT_EQ(answer, TRUE) << "the pager lets the session end";
  EXPECT_TRUE(w.BothHome(2000)) << test::LeftOf(w.home) << " " << test::LeftOf(w.third);
  ::SendMessageTimeoutA(Pager().Pager(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer);
  Pager().Kill();  // as the session's end would
  test::PumpUntil([] { return false; }, 1000);
  EXPECT_EQ(test::LeftOf(w.home), 100) << "the guardian finds nothing to move";
}

// Whether this system tells one process the restore place of another's minimised window
// (Wine answers with the minimised rectangle, and refuses to set one).
bool SystemTellsAnotherProcesssRestorePlace() {
  test::OwnerProcess owner({RECT{100, 100, 400, 300}}, /*blocked=*/false);
  if (!owner.Started()) return false;
  const HWND h = owner.Window(0);
  ::ShowWindow(h, SW_SHOWMINNOACTIVE);
  test::PumpUntil([&] { return ::IsIconic(h) != FALSE; });
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  return ::GetWindowPlacement(h, &wp) && wp.rcNormalPosition.left == 100 && wp.rcNormalPosition.top == 100;
}

TEST_F(RecoveryEndToEnd, AWindowMinimisedOnAnotherDesktopRestoresOntoTheDesktopOnShow) {
  if (!SystemTellsAnotherProcesssRestorePlace())
    GTEST_SKIP() << "this system does not tell or set another process's restore place";
  ASSERT_TRUE(StartPager(kThreeDesktops));
  test::TestWindows windows;
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  HWND away = windows.Open(100 + W, 120, 300, 200);  // on desktop 2
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(away); }));
  ::ShowWindow(away, SW_SHOWMINNOACTIVE);
  auto restoredLeft = [&] {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ::GetWindowPlacement(away, &wp);
    return wp.rcNormalPosition.left;
  };
  ASSERT_EQ(restoredLeft(), 100 + W);
  Pager().ClickClient(SelectorX(3), kSelectorY);
  EXPECT_TRUE(test::PumpUntil([&] { return restoredLeft() == 100; })) << restoredLeft();
  EXPECT_TRUE(::IsIconic(away)) << "it stays minimised";
  ::ShowWindow(away, SW_RESTORE);
  EXPECT_EQ(test::LeftOf(away), 100) << "restored, it shows on the desktop on show";
}

// Run by the test command on a 3840-pixel-wide desktop of its own.
TEST_F(RecoveryEndToEnd, WideScreenRunsTheDesktopsThatFitAndEveryWindowComesHome) {
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  if (W < 3840) GTEST_SKIP() << "needs a desktop 3840 pixels wide; this one is " << W;
  const int fit = 32767 / W;  // 8 on 3840 pixels
  // The selectors in a row, where SelectorX finds them.
  std::string ini = "[FORM]\r\nHIDE=0\r\n[DESKTOP]\r\nCOUNT=10\r\n";
  for (int n = 1; n <= 10; ++n)
    ini += "[BUTTON" + std::to_string(n) + "]\r\nVISIBLE=1\r\nLEFT=" + std::to_string(4 + (n - 1) * 79) +
           "\r\nTOP=4\r\nWIDTH=75\r\nHEIGHT=25\r\nIDATA=" + std::to_string(n) + "\r\n";
  ASSERT_TRUE(StartPager(ini.c_str()));
  test::TestWindows windows;
  std::vector<HWND> own;
  for (int d = 1; d <= fit; ++d) own.push_back(windows.Open((d - 1) * W + 100, 100 + 10 * d, 300, 200));
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(own.back()); }));
  ASSERT_EQ(test::LeftOf(own.back()), (fit - 1) * W + 100) << "the windows open where they were asked to";
  auto lefts = [&] {
    std::string all;
    for (HWND h : own) all += std::to_string(test::LeftOf(h)) + " ";
    return all;
  };
  // Every selector place of ten desktops is clicked; beyond the count that fits there is
  // none, and the click lands on the bare panel.
  auto show = [&](int d) {
    Pager().ClickClient(SelectorX(d), kSelectorY);
    return test::PumpUntil([&] { return test::LeftOf(own[(d < fit ? d : fit) - 1]) == 100; });
  };
  for (int d = 2; d <= 10; ++d) EXPECT_TRUE(show(d)) << "desktop " << d << ": " << lefts();
  SaveScreenshot("wide-last");
  for (int d = 9; d >= 1; --d) EXPECT_TRUE(show(d)) << "desktop " << d << ": " << lefts();
  for (int d = 1; d <= fit; ++d) EXPECT_EQ(test::LeftOf(own[d - 1]), (d - 1) * W + 100) << "window of desktop " << d;
  RECT r = Pager().PagerRect();
  Pager().ClickClient(r.right - r.left - 10, 60);  // a click on the bare panel saves
  EXPECT_TRUE(test::PumpUntil([&] { return Pager().ReadIni().find("[BUTTON1]") != std::string::npos; }));
  EXPECT_NE(Pager().ReadIni().find("COUNT=10"), std::string::npos) << "the file keeps the count it asked for";
}

// Run by the test command on two 1024x768 monitors side by side, without a virtual desktop.
TEST_F(RecoveryEndToEnd, TwoMonitorsSwitchAsOneBandAndThePanelStaysOnTheFirst) {
  const int monitors = ::GetSystemMetrics(SM_CMONITORS), V = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  if (monitors < 2) GTEST_SKIP() << "needs two monitors; this display has " << monitors;
  ASSERT_TRUE(StartPager(kThreeDesktops));
  const RECT primary = WorkArea();
  test::TestWindows windows;
  HWND first = windows.Open(100, 100, 300, 200);           // desktop 1, first monitor
  HWND second = windows.Open(primary.right + 100, 120, 300, 200);  // desktop 1, second monitor
  HWND next = windows.Open(V + primary.right + 100, 140, 300, 200);  // desktop 2, second monitor
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(next); }));
  auto lefts = [&] {
    return std::to_string(test::LeftOf(first)) + " " + std::to_string(test::LeftOf(second)) + " " +
           std::to_string(test::LeftOf(next));
  };
  Pager().ClickClient(SelectorX(2), kSelectorY);
  EXPECT_TRUE(test::PumpUntil([&] {
    return test::LeftOf(first) == 100 - V && test::LeftOf(second) == primary.right + 100 - V &&
           test::LeftOf(next) == primary.right + 100;
  })) << "every monitor's windows move together: " << lefts();
  SaveScreenshot("two-monitors-desktop2");
  const RECT panel = Pager().PagerRect();
  EXPECT_GE(panel.left, primary.left);
  EXPECT_LE(panel.right, primary.right) << "the panel stays on the first monitor";
  EXPECT_EQ(panel.bottom, primary.bottom);
  Pager().ClickClient(SelectorX(1), kSelectorY);
  EXPECT_TRUE(test::PumpUntil([&] {
    return test::LeftOf(first) == 100 && test::LeftOf(second) == primary.right + 100 &&
           test::LeftOf(next) == V + primary.right + 100;
  })) << lefts();
}

}  // namespace
}  // namespace korvi::e2e
