// The image chooser's preview of one selected file, as the dialog runs it: the file list's
// change (path and count lines, LoadGlyph, FitBitmap into 160 x 160, the preview's copy).
// Usage: ImagePreview_winbench FILE [runs]   (bench/make-bench-jpeg.sh makes a 12-megapixel JPEG)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchClock_win.h"
#include "buttons/DDImage.h"
#include "buttons/DDImage_win.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE [runs]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
  char full[MAX_PATH] = {};
  ::GetFullPathNameA(argv[1], MAX_PATH, full, nullptr);
  const std::string path = full;
  const std::string folder = path.substr(0, path.find_last_of('\\') + 1), name = path.substr(folder.size());
  korvi::FileImage images;
  korvi::Win32PreviewSource previews(images);
  korvi::TImageDialog dialog(&previews);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    dialog.FileListBox1Change(folder, "");  // as after a re-read: nothing selected
    const double t0 = korvi::bench::WallSeconds();
    dialog.FileListBox1Change(folder, name);
    times.push_back(1000.0 * (korvi::bench::WallSeconds() - t0));
  }
  std::sort(times.begin(), times.end());
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof pmc);
  std::printf("preview of %s: median %.1f ms, fastest %.1f ms, slowest %.1f ms (%d runs); preview %dx%d\n",
              name.c_str(), times[times.size() / 2], times.front(), times.back(), runs,
              dialog.Preview ? dialog.Preview->Width() : 0, dialog.Preview ? dialog.Preview->Height() : 0);
  std::printf("peak working set %.1f MB\n", pmc.PeakWorkingSetSize / 1048576.0);
  return 0;
}
