// The image chooser's preview path on Windows: LoadGlyph of a large JPEG, then FitBitmap
// into 160 x 160. Time per step and the process's peak memory.
// Usage: GlyphLoad_winbench FILE.jpg [runs]   (bench/make-bench-jpeg.sh makes a 12-megapixel one)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchClock_win.h"
#include "buttons/FileImage_win.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE.jpg [runs]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
  korvi::FileImage images;
  korvi::DibBitmap preview;
  std::vector<double> load, fit;
  int width = 0, height = 0;
  for (int i = 0; i < runs; ++i) {
    double t0 = (1000.0 * korvi::bench::WallSeconds());
    korvi::DibBitmap& glyph = images.LoadGlyph(argv[1], 0);
    double t1 = (1000.0 * korvi::bench::WallSeconds());
    if (!images.Succeeded()) {
      std::fprintf(stderr, "load failed\n");
      return 1;
    }
    width = glyph.Width();
    height = glyph.Height();
    preview.CopyFrom(glyph);  // the chooser keeps its own copy and fits that
    double t2 = (1000.0 * korvi::bench::WallSeconds());
    images.FitBitmap(preview, 160, 160);
    double t3 = (1000.0 * korvi::bench::WallSeconds());
    load.push_back(t1 - t0);
    fit.push_back(t3 - t2);
  }
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  std::printf("LoadGlyph %dx%d: median %.1f ms; FitBitmap to 160x160: median %.1f ms (%d runs)\n", width, height,
              Median(load), Median(fit), runs);
  std::printf("peak working set %.1f MB, peak committed %.1f MB\n", pmc.PeakWorkingSetSize / 1048576.0,
              pmc.PeakPagefileUsage / 1048576.0);
  return 0;
}
