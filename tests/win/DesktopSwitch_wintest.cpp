// Desktop switching against real windows of the Win32 window manager.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "main/main.h"
#include "platform/Win32Platform_win.h"
#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

class RealDesktopSwitch : public ::testing::Test {
 protected:
  Win32Platform platform;
  SharedState data;
  TWinListDialog winList{platform.Windows};
  TForm1 form{data, platform.Ref, winList};
  test::TestWindows windows;
  int W = ::GetSystemMetrics(SM_CXSCREEN);

  void SetUp() override {
    data.DesktopCount = 4;
    data.CurrentDesktop = 1;
  }
};

TEST_F(RealDesktopSwitch, MovesRealWindowsByWholeScreenWidths) {
  HWND a = windows.Open(100, 120, 300, 200);
  HWND b = windows.Open(100 + 2 * W, 140, 300, 200);
  form.ChangeDesktop(3);
  test::PumpUntil([&] { return test::LeftOf(a) == 100 - 2 * W && test::LeftOf(b) == 100; });
  EXPECT_EQ(test::LeftOf(a), 100 - 2 * W);
  EXPECT_EQ(test::LeftOf(b), 100);
  EXPECT_EQ(test::TopOf(b), 140) << "vertical position never changes";
  form.ChangeDesktop(1);
  test::PumpUntil([&] { return test::LeftOf(a) == 100; });
  EXPECT_EQ(test::LeftOf(a), 100);
  EXPECT_EQ(test::LeftOf(b), 100 + 2 * W);
}

TEST_F(RealDesktopSwitch, MinimisedAndHiddenWindowsStay) {
  HWND hidden = windows.Open(100, 100, 200, 100, /*show=*/false);
  HWND minimised = windows.Open(150, 100, 200, 100);
  ::ShowWindow(minimised, SW_MINIMIZE);
  RECT before{};
  ::GetWindowRect(minimised, &before);
  form.ChangeDesktop(2);
  test::Pump(100);
  EXPECT_EQ(test::LeftOf(hidden), 100);
  RECT after{};
  ::GetWindowRect(minimised, &after);
  EXPECT_EQ(after.left, before.left);
}

TEST_F(RealDesktopSwitch, WindowWithRightEdgeAtZeroIsGatheredOntoTheFirstDesktop) {
  // Right edge exactly 0: no pixel shows, so it is stepped one width like the distant one.
  HWND edge = windows.Open(-300, 100, 300, 100);
  HWND distant = windows.Open(-3000, 100, 1000, 100);
  form.ChangeDesktop(1);
  test::PumpUntil([&] { return test::LeftOf(distant) == -952 && test::LeftOf(edge) == W - 300; });
  EXPECT_EQ(test::LeftOf(edge), W - 300);
  EXPECT_EQ(test::LeftOf(distant), -952);
}

TEST_F(RealDesktopSwitch, OnlyTheTopmost127WindowsMove) {
  // Our 200 windows are the topmost ones: each new window goes to the top.
  std::vector<HWND> all;
  for (int i = 0; i < 200; ++i) all.push_back(windows.Open(100, 10 + i, 100, 50));
  form.ChangeDesktop(2);
  test::PumpUntil([&] { return test::LeftOf(all[199]) == 100 - W; });
  int moved = 0;
  for (HWND h : all) moved += test::LeftOf(h) == 100 - W;
  EXPECT_EQ(moved, 127) << "entry 1 is the root window; entries 2..128 hold the 127 topmost windows";
  EXPECT_EQ(test::LeftOf(all[199]), 100 - W) << "the newest window is topmost and moves";
  EXPECT_EQ(test::LeftOf(all[0]), 100) << "the oldest lies below the 127th and stays";
}

TEST_F(RealDesktopSwitch, WallpaperIsSetAndReadBack) {
  e2e::NoWallpaperAfter noWallpaperAfter;  // the later tiers start from a bare desktop
  std::string file = test::TempDir() + "\\wall3.bmp";
  test::WriteSmallBitmap(file);
  data.Wallpapers[3] = file;
  form.ChangeDesktop(3);
  char current[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0);
  EXPECT_STREQ(current, file.c_str());

  data.Wallpapers[2] = test::TempDir() + "\\no-such-wallpaper.bmp";
  form.ChangeDesktop(2);
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0);
  EXPECT_STREQ(current, file.c_str()) << "a name that names no file changes nothing";
}

TEST_F(RealDesktopSwitch, HungWindowDoesNotFreezeTheSwitch) {
  HWND normal = windows.Open(100, 100, 200, 100);
  // The hung window's thread stops answering messages until released (or, should the
  // switch block on it, until its safety timeout, which the test then reports).
  test::ThreadWindow hung(100, 300, 200, 100, /*blocked=*/true, "hung window");
  form.ChangeDesktop(2);
  const bool switchReturnedWhileHung = hung.Blocked();
  hung.Wake();
  EXPECT_TRUE(switchReturnedWhileHung) << "the switch waited for a window whose thread does not answer";
  test::PumpUntil([&] { return test::LeftOf(normal) == 100 - W; });
  EXPECT_EQ(test::LeftOf(normal), 100 - W) << "the other windows still move";
  test::PumpUntil([&] { return test::LeftOf(hung.Handle()) == 100 - W; });
  EXPECT_EQ(test::LeftOf(hung.Handle()), 100 - W) << "the hung window moves once it answers again";
}

// Switches while other threads and another process own windows: some answer at once,
// some are busy through the switch (blocked until woken right after it), and one
// thread stays hung until the very end. Every window must end at home + (k - c) x W,
// and the switch must wait for none of them.
//
// Away and back while busy (1 -> 3 -> 1) is covered by the PendingMoves unit cases only:
// under Wine, a thread woken to the two queued moves A -> B and B -> A is sometimes
// found back at B a moment after it reached A, with nothing of ours running meanwhile.
struct RaceCase {
  const char* name;
  int count, start;
  std::vector<int> switches;
};
void PrintTo(const RaceCase& c, std::ostream* os) { *os << c.name; }

class DesktopSwitchRace : public ::testing::TestWithParam<RaceCase> {
 protected:
  enum Kind { OwnThread, AnsweringThread, AnsweringProcess, BusyThread, BusyProcess, HungThread, kKinds };
  static constexpr const char* kKindNames[kKinds] = {"own thread",    "answering thread", "answering process",
                                                     "busy thread",   "busy process",     "hung thread"};
  struct Placed {
    HWND hwnd;
    Kind kind;
    int desktop;
  };

  Win32Platform platform;
  SharedState data;
  TWinListDialog winList{platform.Windows};
  TForm1 form{data, platform.Ref, winList};
  int W = ::GetSystemMetrics(SM_CXSCREEN);
  std::vector<Placed> placed;

  // The home place of the window of `kind` on desktop `k`, as it lies while `shown` is shown.
  RECT Place(Kind kind, int k, int shown) const {
    const int x = 60 + 40 * kind + 7 * k + (k - shown) * W, y = 30 + 110 * kind + 20 * k;
    return {x, y, x + 150, y + 15};
  }
  bool AtPlace(const Placed& p) const {
    RECT r{};
    ::GetWindowRect(p.hwnd, &r);
    const RECT want = Place(p.kind, p.desktop, data.CurrentDesktop);
    return r.left == want.left && r.top == want.top && r.right == want.right && r.bottom == want.bottom;
  }
  // Waits until every window of `kinds` is where it belongs, then says which are not.
  void ExpectAtPlace(std::initializer_list<Kind> kinds, const char* when) {
    auto ours = [&](const Placed& p) { return std::find(kinds.begin(), kinds.end(), p.kind) != kinds.end(); };
    test::PumpUntil([&] {
      return std::all_of(placed.begin(), placed.end(), [&](const Placed& p) { return !ours(p) || AtPlace(p); });
    });
    for (const Placed& p : placed) {
      if (!ours(p)) continue;
      EXPECT_TRUE(AtPlace(p)) << GetParam().name << ": the " << kKindNames[p.kind] << " window of desktop "
                              << p.desktop << " is at left " << test::LeftOf(p.hwnd) << ", not "
                              << Place(p.kind, p.desktop, data.CurrentDesktop).left << ", " << when;
    }
  }
};

TEST_P(DesktopSwitchRace, EveryWindowEndsOnItsDesktopAndNoneIsWaitedFor) {
  const RaceCase& c = GetParam();
  data.DesktopCount = c.count;
  data.CurrentDesktop = c.start;
  std::vector<RECT> answering, busy;
  for (int k = 1; k <= c.count; ++k) {
    answering.push_back(Place(AnsweringProcess, k, c.start));
    busy.push_back(Place(BusyProcess, k, c.start));
  }
  test::OwnerProcess answeringProcess(answering, /*blocked=*/false), busyProcess(busy, /*blocked=*/true);
  ASSERT_TRUE(answeringProcess.Started() && busyProcess.Started()) << "korvi_window_owner.exe did not start";
  test::TestWindows own;
  std::vector<std::unique_ptr<test::ThreadWindow>> answeringThreads, busyThreads, hungThreads;
  auto thread = [&](std::vector<std::unique_ptr<test::ThreadWindow>>& list, Kind kind, int k, bool blocked) {
    const RECT r = Place(kind, k, c.start);
    list.push_back(std::make_unique<test::ThreadWindow>(r.left, r.top, 150, 15, blocked));
    placed.push_back({list.back()->Handle(), kind, k});
  };
  for (int k = 1; k <= c.count; ++k) {
    const RECT r = Place(OwnThread, k, c.start);
    placed.push_back({own.Open(r.left, r.top, 150, 15), OwnThread, k});
    thread(answeringThreads, AnsweringThread, k, false);
    thread(busyThreads, BusyThread, k, true);
    thread(hungThreads, HungThread, k, true);
    placed.push_back({answeringProcess.Window(k - 1), AnsweringProcess, k});
    placed.push_back({busyProcess.Window(k - 1), BusyProcess, k});
  }
  auto blocked = [](const auto& threads) {
    return std::all_of(threads.begin(), threads.end(), [](const auto& t) { return t->Blocked(); });
  };

  for (int n : c.switches) form.ChangeDesktop(n);
  EXPECT_TRUE(blocked(busyThreads) && blocked(hungThreads) && busyProcess.Blocked())
      << "the switch waited for a window whose program was busy";

  ExpectAtPlace({OwnThread, AnsweringThread, AnsweringProcess}, "with the busy programs still blocked");
  EXPECT_TRUE(blocked(busyThreads) && busyProcess.Blocked())
      << "the answering windows should have moved while the busy ones were still blocked";

  for (auto& t : busyThreads) t->Wake();
  busyProcess.Wake();
  ExpectAtPlace({BusyThread, BusyProcess}, "after the busy programs woke");
  for (auto& t : hungThreads) t->Wake();
  ExpectAtPlace({HungThread}, "after the hung thread woke");
  ExpectAtPlace({OwnThread, AnsweringThread, AnsweringProcess, BusyThread, BusyProcess, HungThread}, "at the end");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesktopSwitchRace,
    ::testing::Values(RaceCase{"1 -> 3 of 3", 3, 1, {3}}, RaceCase{"3 -> 1 of 3", 3, 3, {1}},
                      RaceCase{"1 -> last of 4", 4, 1, {4}},
                      RaceCase{"1 -> 2 -> 3 of 3, both while busy", 3, 1, {2, 3}}),
    [](const ::testing::TestParamInfo<RaceCase>& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace korvi
