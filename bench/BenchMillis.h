#pragma once
// Wall time of a piece of work for the native benchmarks.
#include <chrono>
#include <functional>

namespace korvi::bench {

// Milliseconds one run of `f` takes, averaged over `rounds` runs.
inline double Millis(int rounds, const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() / rounds;
}

}  // namespace korvi::bench
