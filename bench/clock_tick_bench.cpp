// Cost of one timer tick's logic with 10 clocks (two of each style) and 10 load gauges
// of 100 x 100, over a canvas that draws nothing: the date-time pictures, the face
// layout (redrawn every tick: the fake clock moves a minute per tick), the sample and
// the graph's pixel list. The GDI drawing is measured under Wine by clock_tick_winbench.
#include <chrono>
#include <cstdio>

#include "main/ClockPanel.h"
#include "support/ClockButtons.h"
#include "support/FakeGaugeCanvas.h"
#include "support/FakePlatform.h"
#include "support/FakeSystemInfo.h"

int main() {
  using namespace korvi;
  test::FakePlatform fake;
  SharedState data;
  TWinListDialog winList{fake.Windows};
  TForm1 form{data, fake.Ref, winList};
  form.FormCreate("C:\\");
  test::FakeSystemInfo sys;
  sys.Mem = {42, 1000, 600, 2000, 1500, 3000, 1000};
  test::FakeGaugeCanvas canvas;
  ClockPanel panel{form, sys, canvas};
  test::AddTenClocksAndTenGauges(form);
  constexpr int kTicks = 20000;
  const auto start = std::chrono::steady_clock::now();
  for (int t = 0; t < kTicks; ++t) {
    sys.Time.Minute = t % 60;
    panel.Tick();
    canvas.Faces.clear();
  }
  const auto ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  std::printf("timer tick logic, 10 clocks + 10 gauges (2 faces redrawn per tick): %.1f us per tick, %d ticks\n",
              ns / kTicks / 1000.0, kTicks);
  return canvas.Graphs == kTicks * 10 ? 0 : 1;
}
