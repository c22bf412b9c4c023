// One desktop switch with 127 windows, against the bare cost of 127 window moves
// issued directly by a minimal loop. Run under Wine (or Windows): prints both per
// switch and their ratio.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/BenchClock_win.h"
#include "main/main.h"
#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

using namespace korvi;

int main() {
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  const int kRounds = 20;
  test::TestWindows windows;
  std::vector<HWND> all;
  for (int i = 0; i < 127; ++i) all.push_back(windows.Open(100 + i, 10 + i * 4, 200, 100));
  test::Pump(200);

  Win32Platform platform;
  SharedState data;
  data.DesktopCount = 2;
  TWinListDialog winList(platform.Windows);
  TForm1 form(data, platform.Ref, winList);

  // Pager: switch to desktop 2 and back (two switches a round; the way back also
  // normalises, as every switch to desktop 1 does).
  double t0 = bench::WallSeconds();
  for (int r = 0; r < kRounds; ++r) {
    form.ChangeDesktop(2);
    form.ChangeDesktop(1);
  }
  double pager = (bench::WallSeconds() - t0) / (2 * kRounds);

  // Bare: 127 MoveWindow calls there and back.
  t0 = bench::WallSeconds();
  for (int r = 0; r < kRounds; ++r) {
    for (int pass = 0; pass < 2; ++pass)
      for (size_t i = 0; i < all.size(); ++i) {
        RECT rc;
        ::GetWindowRect(all[i], &rc);
        int x = pass == 0 ? rc.left - W : rc.left + W;
        ::MoveWindow(all[i], x, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
      }
  }
  double bare = (bench::WallSeconds() - t0) / (2 * kRounds);
  std::printf("desktop switch, 127 windows: pager %.2f ms, bare 127 moves %.2f ms, ratio %.2f\n", pager * 1e3,
              bare * 1e3, pager / bare);
  return 0;
}
