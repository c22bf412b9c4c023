// The running pager against the least a window program with a one-second timer costs
// (korvi_minimal_window.exe, beside this program), both started from folders of their own.
//   panel_winbench.exe startup [runs]   time from start to the first paint, warm (the first
//                                        run of each is not counted), median and spread
//   panel_winbench.exe idle [seconds] [warm-up]
//                                        both running side by side for the stretch (whose
//                                        start and end it prints, for a CPU count from
//                                        outside), then private bytes and working set; the
//                                        stretch starts `warm-up` seconds (5 unless told)
//                                        after both are shown
// The pager's panel holds 6 clocks (every style, the analogue one twice), 2 load gauges and
// 10 launchers. Its guardian (a second Korvi8.exe process) is measured beside it.
// A fourth argument names another Korvi8.exe to measure instead of the one in dist\ (an
// earlier build, say, to compare in the same run).
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchClock_win.h"
#include "bench/BenchPanel.h"
#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

using namespace korvi;

namespace {

struct Program {
  std::string folder, exe, windowClass;
};

// A folder of its own holding a copy of `exe` from `from` (and, for the pager, the files
// shipped beside it and the panel's settings).
Program Prepare(const std::string& name, const std::string& from, const char* exe, const char* windowClass,
                bool pager) {
  Program p{test::TempDir() + "\\" + name, exe, windowClass};
  ::CreateDirectoryA(p.folder.c_str(), nullptr);
  std::vector<std::string> files{exe};
  if (pager) files.insert(files.end(), {"CONTROL.BMP", "EXPLORER.BMP", "korvi8.html"});
  for (const std::string& f : files) ::CopyFileA((from + "\\" + f).c_str(), (p.folder + "\\" + f).c_str(), FALSE);
  if (pager) test::WriteFileBytes(p.folder + "\\Korvi8.ini", bench::PanelIni());
  return p;
}

PROCESS_INFORMATION Launch(const Program& p) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string line = "\"" + p.folder + "\\" + p.exe + "\"";
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, p.folder.c_str(), &si, &pi))
    std::printf("cannot start %s (error %lu)\n", line.c_str(), ::GetLastError());
  return pi;
}

struct WindowSearch {
  DWORD pid;
  const char* windowClass;
  HWND found;
};

// A named callback: a lambda does not convert to the 32-bit build's stdcall pointer.
BOOL CALLBACK MatchWindow(HWND h, LPARAM lp) {
  auto& s = *reinterpret_cast<WindowSearch*>(lp);
  DWORD owner = 0;
  char cls[64] = {};
  ::GetWindowThreadProcessId(h, &owner);
  ::GetClassNameA(h, cls, sizeof cls);
  if (owner != s.pid || std::string(cls) != s.windowClass || !::IsWindowVisible(h)) return TRUE;
  s.found = h;
  return FALSE;
}

HWND WindowOf(DWORD pid, const char* windowClass) {
  WindowSearch s{pid, windowClass, nullptr};
  ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// The window is visible and its whole update region painted (nothing left to paint).
HWND WaitFirstPaint(const PROCESS_INFORMATION& pi, const char* windowClass) {
  const double t0 = bench::WallSeconds();
  while (bench::WallSeconds() - t0 < 20) {
    if (HWND h = WindowOf(pi.dwProcessId, windowClass); h && !::GetUpdateRect(h, nullptr, FALSE)) return h;
    ::Sleep(1);
  }
  return nullptr;
}

// Ends the program with its window's close and waits for it (and the pager's guardian,
// which ends with it) to be gone.
void Close(const PROCESS_INFORMATION& pi, HWND window) {
  if (window) ::PostMessageA(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  ::Sleep(500);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The guardian: the other Korvi8.exe process whose parent is the pager.
DWORD ChildOf(DWORD parent) {
  DWORD child = 0;
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 e{};
  e.dwSize = sizeof e;
  for (BOOL ok = ::Process32First(snap, &e); ok; ok = ::Process32Next(snap, &e))
    if (e.th32ParentProcessID == parent) child = e.th32ProcessID;
  ::CloseHandle(snap);
  return child;
}

struct Memory {
  double privateMb = 0, workingSetMb = 0;
};

Memory MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX m{};
  m.cb = sizeof m;
  ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
  // Wine leaves PrivateUsage at 0; the committed page-file usage is the same figure there.
  const SIZE_T priv = m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage;
  return {priv / 1048576.0, m.WorkingSetSize / 1048576.0};
}

int Startup(const Program& pager, const Program& minimal, int runs) {
  std::vector<double> times[2];
  const Program* programs[2] = {&pager, &minimal};
  for (int r = 0; r <= runs; ++r) {
    for (int k = 0; k < 2; ++k) {  // alternately, so both meet the same load on the machine
      const double t0 = bench::WallSeconds();
      PROCESS_INFORMATION pi = Launch(*programs[k]);
      HWND shown = pi.hProcess ? WaitFirstPaint(pi, programs[k]->windowClass.c_str()) : nullptr;
      const double ms = (bench::WallSeconds() - t0) * 1e3;
      if (!shown) {
        std::printf("%s showed no painted window\n", programs[k]->exe.c_str());
        return 1;
      }
      if (r > 0) times[k].push_back(ms);  // run 0 warms the caches
      Close(pi, shown);
    }
  }
  auto [pmin, pmax] = std::minmax_element(times[0].begin(), times[0].end());
  auto [mmin, mmax] = std::minmax_element(times[1].begin(), times[1].end());
  std::printf("first paint (warm, %d runs): pager median %.0f ms (%.0f..%.0f), minimal median %.0f ms (%.0f..%.0f)\n",
              runs, Median(times[0]), *pmin, *pmax, Median(times[1]), *mmin, *mmax);
  return 0;
}

int Idle(const Program& pager, const Program& minimal, int seconds, int warmup) {
  e2e::PagerSession::MoveMouse(512, 700);  // the pointer away from both windows
  PROCESS_INFORMATION pp = Launch(pager), mp = Launch(minimal);
  HWND ph = WaitFirstPaint(pp, pager.windowClass.c_str()), mh = WaitFirstPaint(mp, minimal.windowClass.c_str());
  if (!ph || !mh) {
    std::printf("a program showed no painted window\n");
    return 1;
  }
  // Past the about box's start-up show and the first ticks; past 100 s, the gauges' history
  // is full and they show a steady load as the same picture.
  ::Sleep(warmup * 1000);
  // Wine answers GetProcessTimes for another process with zeros: the caller measures the
  // CPU from outside (bench/run-all.sh reads the kernel's figures) between these two lines.
  std::printf("idle-start %s %s\n", pager.folder.c_str(), minimal.folder.c_str());
  std::fflush(stdout);
  ::Sleep(seconds * 1000);
  std::printf("idle-stop\n");
  std::fflush(stdout);
  ::Sleep(3000);  // both still idle while the caller takes its second count
  HANDLE guard = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ChildOf(pp.dwProcessId));
  const HANDLE all[3] = {pp.hProcess, mp.hProcess, guard};
  const char* names[3] = {"pager", "minimal", "guardian"};
  for (int k = 0; k < 3; ++k) {
    if (!all[k]) continue;
    const Memory m = MemoryOf(all[k]);
    std::printf("memory %s: private %.1f MB, working set %.1f MB\n", names[k], m.privateMb, m.workingSetMb);
  }
  std::fflush(stdout);
  if (guard) ::CloseHandle(guard);
  Close(pp, ph);
  Close(mp, mh);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int n = argc > 2 ? std::atoi(argv[2]) : 0;
  const std::string here = e2e::ProgramFolder();
  const Program pager = Prepare("pager", here + "\\dist", "Korvi8.exe", "Korvi8Pager", true);
  if (argc > 4) ::CopyFileA(argv[4], (pager.folder + "\\Korvi8.exe").c_str(), FALSE);
  const Program minimal = Prepare("minimal", here, "korvi_minimal_window.exe", "KorviMinimalWindow", false);
  if (mode == "startup") return Startup(pager, minimal, n > 0 ? n : 7);
  if (mode == "idle") return Idle(pager, minimal, n > 0 ? n : 60, argc > 3 ? std::atoi(argv[3]) : 5);
  std::fprintf(stderr, "usage: %s startup [runs] | idle [seconds] [warm-up] [Korvi8.exe]\n", argv[0]);
  return 2;
}
