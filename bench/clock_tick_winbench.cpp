// CPU time of one real timer tick under Windows (or Wine): 10 clocks (two of each
// style) and 10 load gauges of 100 x 100, GlobalMemoryStatus, the locale's names and
// GDI drawing into DIB glyphs. Two runs: the minute standing still (the usual second)
// and the minute changing at every tick (both analogue faces redrawn).
#include <windows.h>

#include <cstdio>

#include "bench/BenchClock_win.h"
#include "main/ClockDraw_win.h"
#include "main/ClockPanel.h"
#include "support/ClockButtons.h"
#include "platform/SystemInfo_win.h"
#include "platform/Win32Platform_win.h"

namespace {

class BenchClock : public korvi::SystemInfo {
 public:
  korvi::LocalTime Now() override {
    korvi::LocalTime t = real_.Now();
    if (MinutePerTick) {
      t.Hour = (minute_ / 60) % 24;
      t.Minute = minute_ % 60;
      ++minute_;
    }
    return t;
  }
  korvi::MemoryStatus Memory() override { return real_.Memory(); }
  const korvi::LocaleNames& Names() override { return real_.Names(); }
  bool MinutePerTick = false;

 private:
  korvi::Win32SystemInfo real_;
  int minute_ = 0;
};

}  // namespace

int main() {
  using namespace korvi;
  Win32Platform platform;
  SharedState data;
  TWinListDialog winList{platform.Windows};
  TForm1 form{data, platform.Ref, winList};
  form.FormCreate("C:\\");
  BenchClock sys;
  GdiGaugeCanvas canvas;
  ClockPanel panel{form, sys, canvas};
  test::AddTenClocksAndTenGauges(form);
  constexpr int kTicks = 5000;
  for (bool perTick : {false, true}) {
    sys.MinutePerTick = perTick;
    panel.Tick();
    const double cpu0 = (1e6 * bench::CpuSeconds()), wall0 = (1e6 * bench::WallSeconds());
    for (int t = 0; t < kTicks; ++t) panel.Tick();
    const double cpu = (1e6 * bench::CpuSeconds()) - cpu0, wall = (1e6 * bench::WallSeconds()) - wall0;
    std::printf("real tick, 10 clocks + 10 gauges, %s: %.1f us CPU, %.1f us wall per tick (%d ticks)\n",
                perTick ? "minute changing every tick" : "same minute", cpu / kTicks, wall / kTicks, kTicks);
  }
  // The share of the system call behind the load sample.
  const double cpu0 = (1e6 * bench::CpuSeconds()), wall0 = (1e6 * bench::WallSeconds());
  for (int t = 0; t < kTicks; ++t) panel.SaveLoad();
  std::printf("of which SaveLoad (GlobalMemoryStatus): %.1f us CPU, %.1f us wall\n",
              ((1e6 * bench::CpuSeconds()) - cpu0) / kTicks, ((1e6 * bench::WallSeconds()) - wall0) / kTicks);
  return 0;
}
