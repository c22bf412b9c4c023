#pragma once
// Clocks for the Windows benchmarks: wall time and a process's CPU time, in seconds.
#include <windows.h>

namespace korvi::bench {

inline double WallSeconds() {
  LARGE_INTEGER f, t;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Kernel plus user time of `process` (this process by default).
inline double CpuSeconds(HANDLE process = ::GetCurrentProcess()) {
  FILETIME create, exit, kernel, user;
  ::GetProcessTimes(process, &create, &exit, &kernel, &user);
  auto s = [](FILETIME f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
  };
  return s(kernel) + s(user);
}

}  // namespace korvi::bench
