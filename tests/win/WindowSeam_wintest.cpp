// The window seam: the same cases against the fake the logic is tested with and against
// real windows of the system, so the fake is known to behave as the system does.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "main/DDWinList.h"
#include "platform/WideText_win.h"
#include "platform/WindowSystem_win.h"
#include "support/FakePlatform.h"
#include "support/GeometryPrint.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

// A desktop of the fake: windows answer at once.
struct FakeDesktop {
  test::FakeWindowSystem sys;
  // Opens a window above all others (as a new window of the system is).
  WindowHandle Open(const Rect& r, const std::string& title, bool shown = true) {
    WindowHandle h = sys.Add(r, title, shown);
    sys.Raise(h);
    return h;
  }
  WindowHandle OpenBusy(const Rect& r) { return Open(r, "busy"); }
  void Minimise(WindowHandle h) {
    auto& w = sys.Get(h);
    w.Iconic = true;
    w.Restored = w.Bounds;
  }
  void Close(WindowHandle h) { sys.Get(h).Alive = false; }
  void MovedByItsProgram(WindowHandle h, const Rect& r) { sys.Get(h).Bounds = r; }
  bool BusyStillBlocked() { return true; }
  void WakeBusy() {}
  Rect TrueBounds(WindowHandle h) { return sys.Get(h).Bounds; }
  bool Settle(const std::function<bool()>& done) { return done(); }
};

// Real windows: this thread's own, and one whose thread is busy until woken.
struct SystemDesktop {
  Win32WindowSystem sys;
  test::TestWindows windows;
  std::unique_ptr<test::ThreadWindow> busy;
  WindowHandle Open(const Rect& r, const std::string& title, bool shown = true) {
    return FromHwnd(windows.Open(r.Left, r.Top, r.Width(), r.Height(), shown, title.c_str()));
  }
  WindowHandle OpenBusy(const Rect& r) {
    busy = std::make_unique<test::ThreadWindow>(r.Left, r.Top, r.Width(), r.Height(), /*blocked=*/true);
    return FromHwnd(busy->Handle());
  }
  void Minimise(WindowHandle h) { ::ShowWindow(ToHwnd(h), SW_MINIMIZE); }
  void Close(WindowHandle h) { ::DestroyWindow(ToHwnd(h)); }
  void MovedByItsProgram(WindowHandle h, const Rect& r) {
    ::SetWindowPos(ToHwnd(h), nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  bool BusyStillBlocked() { return busy && busy->Blocked(); }
  void WakeBusy() { busy->Wake(); }
  Rect TrueBounds(WindowHandle h) {
    RECT r{};
    ::GetWindowRect(ToHwnd(h), &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  bool Settle(const std::function<bool()>& done) { return test::PumpUntil(done); }
};

template <class Desktop>
class WindowSeam : public ::testing::Test {
 protected:
  Desktop desk;
  const WindowInfo* Find(const WindowSnapshot& s, WindowHandle h) {
    auto it = std::find_if(s.Windows.begin(), s.Windows.end(), [&](const WindowInfo& w) { return w.Handle == h; });
    return it == s.Windows.end() ? nullptr : &*it;
  }
  size_t PositionOf(const WindowSnapshot& s, WindowHandle h) {
    for (size_t i = 0; i < s.Windows.size(); ++i)
      if (s.Windows[i].Handle == h) return i;
    return s.Windows.size();
  }
  Rect Reported(WindowHandle h) {
    const WindowSnapshot s = desk.sys.TopLevelWindows();
    const WindowInfo* w = Find(s, h);
    return w ? w->Bounds : Rect{};
  }
};

using Desktops = ::testing::Types<FakeDesktop, SystemDesktop>;
class DesktopNames {
 public:
  template <class T>
  static std::string GetName(int) {
    return std::is_same_v<T, FakeDesktop> ? "Fake" : "System";
  }
};
TYPED_TEST_SUITE(WindowSeam, Desktops, DesktopNames);

TYPED_TEST(WindowSeam, SnapshotHoldsEveryTopLevelWindowTopmostFirstWithItsState) {
  auto& d = this->desk;
  const WindowHandle a = d.Open({100, 100, 400, 300}, "seam a");
  const WindowHandle hidden = d.Open({120, 120, 300, 300}, "seam hidden", /*shown=*/false);
  const WindowHandle small = d.Open({140, 140, 300, 300}, "seam minimised");
  d.Minimise(small);
  const WindowHandle b = d.Open({-900, 50, -700, 250}, std::string(300, 'b'));
  const WindowSnapshot s = d.sys.TopLevelWindows();

  EXPECT_EQ(s.Root.Bounds, (Rect{0, 0, d.sys.ScreenWidth(), d.sys.ScreenHeight()})) << "the root spans the screen";
  EXPECT_EQ(this->Find(s, s.Root.Handle), nullptr) << "the root is not among the top-level windows";
  const WindowInfo* wa = this->Find(s, a);
  const WindowInfo* wb = this->Find(s, b);
  const WindowInfo* wh = this->Find(s, hidden);
  const WindowInfo* wm = this->Find(s, small);
  ASSERT_TRUE(wa && wb && wh && wm) << "every top-level window is listed, shown or not";
  EXPECT_LT(this->PositionOf(s, b), this->PositionOf(s, a)) << "the newer window is above the older";
  EXPECT_EQ(wa->Bounds, (Rect{100, 100, 400, 300}));
  EXPECT_EQ(wb->Bounds, (Rect{-900, 50, -700, 250})) << "off-screen places are reported as they are";
  EXPECT_EQ(wa->Title, "seam a");
  EXPECT_EQ(wb->Title, std::string(127, 'b')) << "titles are cut at 127 characters";
  EXPECT_TRUE(wa->Visible && !wa->Minimised);
  EXPECT_FALSE(wh->Visible);
  EXPECT_TRUE(wm->Minimised);
}

TYPED_TEST(WindowSeam, MovesAreReportedAtOnceAndCarriedOut) {
  auto& d = this->desk;
  const WindowHandle a = d.Open({100, 100, 400, 300}, "seam a");
  const Rect target{-1948, 120, -1748, 220};  // moved and resized
  d.sys.MoveWindow(a, target);
  EXPECT_EQ(this->Reported(a), target);
  EXPECT_TRUE(d.Settle([&] { return d.TrueBounds(a) == target; }));
  EXPECT_EQ(d.TrueBounds(a), target);

  // Once the move is done, the window's own place is what counts again.
  const Rect own{300, 300, 500, 400};
  d.MovedByItsProgram(a, own);
  EXPECT_EQ(this->Reported(a), own);
}

TYPED_TEST(WindowSeam, BusyWindowIsReportedWhereItWasAskedToGoUntilItGetsThere) {
  auto& d = this->desk;
  const WindowHandle busy = d.OpenBusy({100, 300, 400, 400});
  const Rect first{100 - 1024, 300, 400 - 1024, 400}, second{100 - 2048, 300, 400 - 2048, 400};
  d.sys.MoveWindow(busy, first);
  EXPECT_EQ(this->Reported(busy), first) << "not the place it has not yet left";
  d.sys.MoveWindow(busy, second);
  EXPECT_EQ(this->Reported(busy), second) << "a second move while busy counts from the first";
  EXPECT_TRUE(d.BusyStillBlocked()) << "the moves were asked for without waiting for the busy window";
  d.WakeBusy();
  EXPECT_TRUE(d.Settle([&] { return d.TrueBounds(busy) == second; }));
  EXPECT_EQ(d.TrueBounds(busy), second) << "the window carries out both moves, in order";
  EXPECT_EQ(this->Reported(busy), second);
}

TYPED_TEST(WindowSeam, RootNeverMovesAndClosedWindowsAreIgnored) {
  auto& d = this->desk;
  const WindowSnapshot before = d.sys.TopLevelWindows();
  d.sys.MoveWindow(before.Root.Handle, {-1024, 0, 0, 768});
  EXPECT_EQ(d.sys.TopLevelWindows().Root.Bounds, before.Root.Bounds);

  const WindowHandle gone = d.Open({100, 100, 200, 200}, "seam gone");
  d.Close(gone);
  d.sys.MoveWindow(gone, {0, 0, 10, 10});
  const WindowSnapshot after = d.sys.TopLevelWindows();
  EXPECT_EQ(this->Find(after, gone), nullptr);
}

TYPED_TEST(WindowSeam, AMinimisedWindowTellsAndTakesItsRestorePlaceAndStaysMinimised) {
  auto& d = this->desk;
  const WindowHandle h = d.Open({100, 100, 400, 300}, "seam minimised");
  d.Minimise(h);
  auto restored = [&] {
    const WindowSnapshot s = d.sys.TopLevelWindows();
    const WindowInfo* w = this->Find(s, h);
    return w && w->Minimised ? w->Restored : Rect{};
  };
  EXPECT_EQ(restored(), (Rect{100, 100, 400, 300}));
  // The system keeps a restore place on the screen: the pager only ever gives one there.
  const Rect there{148, 120, 448, 320};
  EXPECT_TRUE(d.sys.PlaceMinimised(h, there)) << "an answering window takes its place at once";
  EXPECT_TRUE(d.Settle([&] { return restored() == there; })) << "still minimised, restoring at its new place";
}

// A program that does not answer cannot hold the pager while it places a minimised window.
TEST(MinimisedWindowSeam, ABusyProgramsMinimisedWindowIsPlacedWithoutWaiting) {
  test::ThreadWindow busy(2148, 100, 300, 200, /*blocked=*/true, "korvi busy minimised", /*minimised=*/true);
  Win32WindowSystem sys;
  const HWND h = busy.Handle();
  ASSERT_TRUE(::IsIconic(h));
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_FALSE(sys.PlaceMinimised(FromHwnd(h), {148, 100, 448, 300})) << "not placed while it does not answer";
  EXPECT_LT(::GetTickCount64() - start, 1000u);
  EXPECT_TRUE(busy.Blocked()) << "it was not woken meanwhile";
  busy.Wake();
  Rect r;
  EXPECT_TRUE(test::PumpUntil([&] { return RestoredPlace(h, r) && r.Left == 148; })) << r.Left;
}

}  // namespace
}  // namespace korvi

namespace korvi {
namespace {

// Another program's title in other scripts comes into the window list whole, as UTF-8
// (the system keeps 127 characters of it; the list's 127 bytes end between characters).
TEST(WindowTitles, TitlesInOtherScriptsComeThroughAsUtf8) {
  std::wstring wide;
  for (int i = 0; i < 100; ++i) wide += L"\x0422\x03B1";  // Cyrillic Te, Greek alpha
  HWND h = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", wide.c_str(), WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  Win32WindowSystem sys;
  const WindowSnapshot s = sys.TopLevelWindows();
  auto it = std::find_if(s.Windows.begin(), s.Windows.end(), [&](const WindowInfo& w) { return w.Handle == FromHwnd(h); });
  ASSERT_NE(it, s.Windows.end());
  EXPECT_EQ(Widen(it->Title), wide.substr(0, 127));
  TWinListDialog list(sys);
  list.GetWindowInfo(*it, list.Entry(1));
  EXPECT_EQ(list.Entry(1).Title, Narrow(wide.substr(0, 63))) << "63 two-byte characters fill 126 of the 127 bytes";
  ::DestroyWindow(h);
}

}  // namespace
}  // namespace korvi

namespace korvi {
namespace {

// A window's home record as the guardian reads it, after what the switches wrote on it:
// the pager writes only what changed, so every path between two records is a row.
struct RecordStep {
  enum Kind { Away, Home, ForeignRecord, Exit } kind;
  HomeRecord home{};
};
struct RecordCase {
  const char* name;
  std::vector<RecordStep> steps;
  std::optional<HomeRecord> read;  // what the guardian finds for this run
  bool foreignKept = false;        // another run's record is still there
};

TEST(HomeRecords, TheGuardianReadsTheLastRecordWrittenAndNoneOnceHome) {
  const HomeRecord a{3, 100, 50}, b{2, 100, 50}, c{2, -20, 70};
  using S = RecordStep;
  const RecordCase cases[] = {
      {"sent away", {{S::Away, a}}, a},
      {"sent on to another desktop", {{S::Away, a}, {S::Away, b}}, b},
      {"moved while away", {{S::Away, b}, {S::Away, c}}, c},
      {"the same record twice", {{S::Away, a}, {S::Away, a}}, a},
      {"came home", {{S::Away, a}, {S::Home}}, std::nullopt},
      {"came home and went away again", {{S::Away, a}, {S::Home}, {S::Away, a}}, a},
      {"came home and went away elsewhere", {{S::Away, a}, {S::Home}, {S::Away, c}}, c},
      {"away, then Exit", {{S::Away, a}, {S::Exit}}, std::nullopt},
      {"came home, then Exit", {{S::Away, a}, {S::Home}, {S::Exit}}, std::nullopt},
      {"another run's record is left when coming home", {{S::ForeignRecord}, {S::Home}}, std::nullopt, true},
      {"and replaced when going away", {{S::ForeignRecord}, {S::Away, b}}, b},
      {"another run wrote over it while away", {{S::Away, a}, {S::ForeignRecord}, {S::Home}, {S::Away, a}}, a},
  };
  const DWORD self = ::GetCurrentProcessId(), other = self + 4;
  for (const RecordCase& row : cases) {
    SCOPED_TRACE(row.name);
    test::TestWindows windows;
    const HWND h = windows.Open(100, 100, 200, 100);
    Win32WindowSystem sys;
    for (const RecordStep& step : row.steps) {
      if (step.kind == S::Away) sys.RecordHome(FromHwnd(h), &step.home);
      if (step.kind == S::Home) sys.RecordHome(FromHwnd(h), nullptr);
      if (step.kind == S::Exit) sys.ForgetHomes();
      if (step.kind == S::ForeignRecord) {
        // As another run writes it: its run on last.
        ::SetPropA(h, "Korvi8.Owner", reinterpret_cast<HANDLE>(static_cast<uintptr_t>(self)));
        ::SetPropA(h, "Korvi8.Desktop", reinterpret_cast<HANDLE>(uintptr_t{4}));
        ::SetPropA(h, "Korvi8.Place", reinterpret_cast<HANDLE>(uintptr_t{0x00100010}));
        ::SetPropA(h, "Korvi8.Run", reinterpret_cast<HANDLE>(static_cast<uintptr_t>(other)));
      }
    }
    HomeRecord read;
    const bool found = ReadHome(h, self, read);
    EXPECT_EQ(found, row.read.has_value());
    if (found && row.read) EXPECT_EQ(read, *row.read) << read.Desktop << " " << read.Left << "," << read.Top;
    EXPECT_EQ(ReadHome(h, other, read), row.foreignKept);
    if (row.steps.back().kind == S::Exit)
      for (const char* p : {"Korvi8.Run", "Korvi8.Owner", "Korvi8.Desktop", "Korvi8.Place"})
        EXPECT_EQ(::GetPropA(h, p), nullptr) << p << ": Exit leaves nothing on the window";
  }
}

}  // namespace
}  // namespace korvi
