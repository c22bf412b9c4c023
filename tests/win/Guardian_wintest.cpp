// The guardian's restore against real windows: what it brings back, and which records
// it takes off.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <utility>

#include "main/Guardian_win.h"
#include "platform/WindowSystem_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

const DWORD kSelf = ::GetCurrentProcessId();

// A record as another run of the pager (process `run`) leaves it on a window of this
// process: the same four window properties RecordHome sets.
void RecordAs(HWND h, DWORD run, const HomeRecord& home) {
  auto prop = [](uint32_t v) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(v)); };
  ::SetPropA(h, "Korvi8.Owner", prop(kSelf));
  ::SetPropA(h, "Korvi8.Desktop", prop(static_cast<uint32_t>(home.Desktop)));
  ::SetPropA(h, "Korvi8.Place", prop(static_cast<uint16_t>(home.Left) | static_cast<uint32_t>(home.Top) << 16));
  ::SetPropA(h, "Korvi8.Run", prop(run));
}

// Calls `moved` the first time the window is moved, from within the move.
struct MoveWatch {
  static inline std::function<void()> moved;
  static inline WNDPROC old = nullptr;
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_WINDOWPOSCHANGED && moved) std::exchange(moved, nullptr)();
    return ::CallWindowProcA(old, h, m, w, l);
  }
  explicit MoveWatch(HWND h, std::function<void()> f) {
    moved = std::move(f);
    old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  ~MoveWatch() { moved = nullptr; }
};

// A pager started again while an old guardian restores records the same window for
// itself: the old guardian takes off its own record only, never the new run's.
TEST(GuardianRestore, ARecordANewRunMadeMeanwhileStays) {
  test::TestWindows windows;
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  HWND h = windows.Open(100 + W, 100, 300, 200);
  constexpr DWORD kOldRun = 0x7FFF0001;  // no process: the run that ended
  RecordAs(h, kOldRun, {2, 100, 100});
  Win32WindowSystem newRun;
  const HomeRecord mine{3, 40, 50};
  MoveWatch watch(h, [&] { newRun.RecordHome(FromHwnd(h), &mine); });
  EXPECT_EQ(RestoreRecordedWindows(kOldRun), 1);
  EXPECT_EQ(test::LeftOf(h), 100) << "the old run's window came home";
  HomeRecord kept;
  ASSERT_TRUE(ReadHome(h, kSelf, kept)) << "the new run lost the record it made during the restore";
  EXPECT_EQ(kept, mine);
  EXPECT_EQ(RestoreRecordedWindows(kOldRun), 0) << "nothing of the old run is left";
}

// A minimised window whose program does not answer keeps its record until it has
// taken its restore place: a guardian that ended meanwhile would leave it off the screen.
TEST(GuardianRestore, AMinimisedWindowThatDoesNotAnswerKeepsItsRecordUntilItIsPlaced) {
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  test::ThreadWindow busy(148 + W, 100, 300, 200, /*blocked=*/true, "korvi busy minimised", /*minimised=*/true);
  const HWND h = busy.Handle();
  ASSERT_TRUE(::IsIconic(h));
  constexpr DWORD kOldRun = 0x7FFF0002;
  RecordAs(h, kOldRun, {2, 148, 100});
  EXPECT_EQ(RestoreRecordedWindows(kOldRun, 2), 0) << "nothing was placed";
  HomeRecord home;
  EXPECT_TRUE(ReadHome(h, kOldRun, home)) << "the record came off a window that was not placed";
  busy.Wake();
  EXPECT_EQ(RestoreRecordedWindows(kOldRun), 1) << "answering, it is placed";
  Rect r;
  EXPECT_TRUE(RestoredPlace(h, r) && r.Left == 148) << r.Left;
  EXPECT_FALSE(ReadHome(h, kOldRun, home)) << "placed, its record is off";
}

}  // namespace
}  // namespace korvi
