// One desktop switch with N windows (127 unless told), against the bare cost of N window
// moves issued directly by a minimal loop. With "hung", one more window belongs to
// another process that answers no messages meanwhile: the pager moves it too, the bare
// loop does not (it could not, without hanging). Run under Wine (or Windows): prints
// both per switch and their ratio. With "pieces", a second line splits the switch: the
// snapshot, the home records and the pager's moves, each timed alone on the same windows,
// and what one reading of the virtual screen costs.
// Usage: switch_winbench.exe [windows] [hung|plain] [pieces]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchClock_win.h"
#include "main/main.h"
#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

using namespace korvi;

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 127;
  const bool hung = argc > 2 && std::string(argv[2]) == "hung";
  const bool pieces = argc > 3 && std::string(argv[3]) == "pieces";
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  const int kRounds = 20;
  test::TestWindows windows;
  std::vector<HWND> all;
  for (int i = 0; i < count; ++i) all.push_back(windows.Open(100 + i, 10 + (i % 127) * 4, 200, 100));
  std::unique_ptr<test::OwnerProcess> owner;
  if (hung) {
    owner = std::make_unique<test::OwnerProcess>(std::vector<RECT>{{300, 300, 500, 400}}, /*blocked=*/true);
    if (!owner->Started()) {
      std::printf("the hung window's program did not start\n");
      return 1;
    }
  }
  test::Pump(200);

  Win32Platform platform;
  SharedState data;
  data.DesktopCount = 2;
  TWinListDialog winList(platform.Windows);
  TForm1 form(data, platform.Ref, winList);

  // Pager: switch to desktop 2 and back (two switches a round; the way back also
  // normalises, as every switch to desktop 1 does). Bare: N MoveWindow calls there and
  // back. The rounds take turns, so that a machine busy with other work slows both alike.
  double pager = 0, bare = 0;
  for (int r = 0; r < kRounds; ++r) {
    double t0 = bench::WallSeconds();
    form.ChangeDesktop(2);
    form.ChangeDesktop(1);
    pager += bench::WallSeconds() - t0;
    t0 = bench::WallSeconds();
    for (int pass = 0; pass < 2; ++pass)
      for (size_t i = 0; i < all.size(); ++i) {
        RECT rc;
        ::GetWindowRect(all[i], &rc);
        int x = pass == 0 ? rc.left - W : rc.left + W;
        ::MoveWindow(all[i], x, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
      }
    bare += bench::WallSeconds() - t0;
  }
  pager /= 2 * kRounds;
  bare /= 2 * kRounds;
  const bool stillHung = owner && owner->Blocked();
  std::printf("desktop switch, %d windows%s: pager %.2f ms, bare %d moves %.2f ms, ratio %.2f\n", count,
              hung ? (stillHung ? " + 1 hung" : " + 1 hung (woke early!)") : "", pager * 1e3, count, bare * 1e3,
              pager / bare);
  if (pieces) {
    // Each piece as often as the switches above do it, on the windows they move.
    WindowSystem& ws = platform.Windows;
    double t0 = bench::WallSeconds();
    for (int r = 0; r < 2 * kRounds; ++r) ws.TopLevelWindows();
    const double snapshot = (bench::WallSeconds() - t0) / (2 * kRounds);
    std::vector<WindowHandle> moved;
    for (const WindowInfo& w : ws.TopLevelWindows().Windows)
      if (w.Visible && !w.Minimised && w.Handle != form.OwnWindow && moved.size() < 127)
        moved.push_back(w.Handle);
    const HomeRecord home{1, 100, 10};
    t0 = bench::WallSeconds();
    for (int r = 0; r < kRounds; ++r) {
      for (WindowHandle h : moved) ws.RecordHome(h, &home);
      for (WindowHandle h : moved) ws.RecordHome(h, nullptr);
    }
    const double records = (bench::WallSeconds() - t0) / (2 * kRounds);
    t0 = bench::WallSeconds();
    for (int r = 0; r < kRounds; ++r)
      for (int pass = 0; pass < 2; ++pass)
        for (WindowHandle h : moved) {
          RECT rc;
          ::GetWindowRect(ToHwnd(h), &rc);
          const int x = pass == 0 ? rc.left - W : rc.left + W;
          ws.MoveWindow(h, {x, rc.top, x + rc.right - rc.left, rc.bottom});
        }
    const double moves = (bench::WallSeconds() - t0) / (2 * kRounds);
    t0 = bench::WallSeconds();
    for (int r = 0; r < 1000; ++r) ws.VirtualScreen();
    const double screen = (bench::WallSeconds() - t0) / 1000;
    std::printf("pieces per switch: snapshot %.2f ms, records %.2f ms, pager's moves %.2f ms, rest %.2f ms;"
                " one screen reading %.3f ms\n",
                snapshot * 1e3, records * 1e3, moves * 1e3, (pager - snapshot - records - moves) * 1e3, screen * 1e3);
  }
  if (owner) owner->Wake();
  return 0;
}
