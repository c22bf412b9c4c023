// Where the idle pager's second goes: the real pager window (as Korvi8.exe makes it) with
// the benchmark panel, its one-second tick run in a loop and each part timed in CPU:
//   the tick's logic alone (load sample, clocks, gauges);
//   the whole tick as the window takes it (WM_TIMER, then the paint it asks for);
//   a paint of one gauge's place (what a second costs when a graph moves);
//   a paint of the whole panel, for scale.
// Usage: panel_tick_winbench.exe [ticks, default 300]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchClock_win.h"
#include "bench/BenchPanel.h"
#include "buttons/FileImage_win.h"
#include "main/ClockDraw_win.h"
#include "main/ClockPanel.h"
#include "main/DDWinList.h"
#include "main/PagerWindow_win.h"
#include "main/main.h"
#include "platform/SystemInfo_win.h"
#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

using namespace korvi;

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::atoi(argv[1]) : 300;
  const std::string dir = test::TempDir() + "\\panel-tick\\";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  test::WriteFileBytes(dir + "Korvi8.ini", bench::PanelIni());

  Win32Platform platform;
  SharedState data;
  TWinListDialog winList(platform.Windows);
  FileImage images;
  Win32GlyphSource glyphs(images);
  TForm1 form(data, platform.Ref, winList, &glyphs);
  PagerWindow pager(form);
  Win32SystemInfo system;
  GdiGaugeCanvas canvas;
  ClockPanel clocks(form, system, canvas, &glyphs);
  if (!pager.Create(::GetModuleHandleA(nullptr))) return 1;
  form.AttachHost(&pager, &pager, &pager.Outline());
  form.AttachClocks(&clocks);
  form.FormCreate(dir);
  pager.Show();
  test::Pump(500);
  const HWND hwnd = pager.Handle();

  auto perTick = [&](const char* what, auto&& step) {
    const double cpu0 = bench::CpuSeconds(), wall0 = bench::WallSeconds();
    for (int t = 0; t < ticks; ++t) step();
    const double cpu = bench::CpuSeconds() - cpu0, wall = bench::WallSeconds() - wall0;
    std::printf("%-44s %8.1f us CPU, %8.1f us wall a tick\n", what, 1e6 * cpu / ticks, 1e6 * wall / ticks);
  };
  perTick("tick logic (load, clocks, gauges)", [&] { form.Timer1Timer(); });
  perTick("whole tick (WM_TIMER and its paint)", [&] {
    ::SendMessageA(hwnd, WM_TIMER, 2, 0);  // 2: the pager window's one-second timer
    ::UpdateWindow(hwnd);
  });
  RECT gauge{};
  for (int n = 1; n <= kButtonCount; ++n)
    if (const TExeButton& b = form.Button(n); b.Visible && kind::IsGauge(b.IData))
      gauge = {b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
  perTick("paint of one gauge's place", [&] {
    ::InvalidateRect(hwnd, &gauge, FALSE);
    ::UpdateWindow(hwnd);
  });
  perTick("paint of the whole panel", [&] {
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
  });
  ::DestroyWindow(hwnd);
  return 0;
}
