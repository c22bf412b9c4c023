// The running pager, measured from outside: Korvi8.exe (from dist/ beside this program)
// is started in a folder of its own with a clock, an analogue clock and a load gauge.
//   1. CPU time the idle pager uses over a stretch of its one-second ticks;
//   2. its private memory after start-up;
//   3. one full collapse and expand of a 100-pixel panel with sliding on
//      (auto-hide with a 1-second timer: the mouse leaves, then touches the strip).
// Usage: pager_winbench.exe [idle-seconds, default 60]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchClock_win.h"
#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

using namespace korvi;

int main(int argc, char** argv) {
  const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 60;
  // "bare": only the desktop selectors, to tell the clocks' share from the rest.
  const bool bare = argc > 2 && std::string(argv[2]) == "bare";
  const char* ini = bare ? "[FORM]\r\nHIDE=1\r\nSIZE=100\r\nSMOOTH=1\r\n" :
      "[FORM]\r\nHIDE=1\r\nSIZE=100\r\nSMOOTH=1\r\n"
      "[BUTTON11]\r\nVISIBLE=1\r\nLEFT=200\r\nTOP=4\r\nWIDTH=75\r\nHEIGHT=25\r\nIDATA=1000\r\n"
      "[BUTTON12]\r\nVISIBLE=1\r\nLEFT=300\r\nTOP=4\r\nWIDTH=90\r\nHEIGHT=90\r\nIDATA=1004\r\n"
      "[BUTTON13]\r\nVISIBLE=1\r\nLEFT=400\r\nTOP=4\r\nWIDTH=90\r\nHEIGHT=90\r\nIDATA=2000\r\n";
  e2e::PagerSession pager(ini);
  pager.keepMouse_ = true;
  e2e::PagerSession::MoveMouse(512, 700);  // keep the panel out while idling
  if (!pager.Start()) {
    std::printf("the pager did not start\n");
    return 1;
  }
  DWORD pid = 0;
  ::GetWindowThreadProcessId(pager.Pager(), &pid);
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  test::Pump(2000);

  PROCESS_MEMORY_COUNTERS_EX mem{};
  mem.cb = sizeof mem;
  ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem);
  // Wine leaves PrivateUsage at 0; the committed page-file usage is the same figure there.
  const SIZE_T priv = mem.PrivateUsage ? mem.PrivateUsage : mem.PagefileUsage;
  std::printf("private memory after start-up: %.1f MB (working set %.1f MB)\n", priv / 1048576.0,
              mem.WorkingSetSize / 1048576.0);

  const double cpu0 = bench::CpuSeconds(process), t0 = bench::WallSeconds();
  test::Pump(idleSeconds * 1000);
  const double cpu = bench::CpuSeconds(process) - cpu0, wall = bench::WallSeconds() - t0;
  std::printf("idle: %.3f s CPU over %.1f s = %.3f %% of one core (%.2f ms a tick)\n", cpu, wall,
              100.0 * cpu / wall, 1000.0 * cpu / wall);

  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  auto height = [&] {
    RECT r = pager.PagerRect();
    return r.bottom - r.top;
  };
  e2e::PagerSession::MoveMouse(512, 200);
  test::PumpUntil([&] { return height() < 100; }, 5000);  // the timer starts the slide
  double c0 = bench::WallSeconds();
  test::PumpUntil([&] { return height() == 3; }, 5000);
  double collapse = bench::WallSeconds() - c0;
  e2e::PagerSession::MoveMouse(512, work.bottom - 2);
  double e0 = bench::WallSeconds();
  test::PumpUntil([&] { return height() == 100; }, 5000);
  double expand = bench::WallSeconds() - e0;
  std::printf("slide of a 100-pixel panel: collapse seen in %.0f ms, expand in %.0f ms (observer polls every 10 ms)\n",
              collapse * 1e3, expand * 1e3);
  pager.Close();
  ::CloseHandle(process);
  return 0;
}
