// Native JPEG decode of a large photo: time per decode and peak memory.
// Usage: JpegDecode_bench FILE.jpg [runs]   (bench/make-bench-jpeg.sh makes a 12-megapixel one)
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "buttons/JpegDecode.h"

namespace {

struct Target : korvi::JpegTarget {
  int32_t w = 0;
  std::vector<uint8_t> pixels;
  bool Allocate(int32_t width, int32_t height) override {
    w = width;
    pixels.resize(static_cast<std::size_t>(width) * height * 3);
    return true;
  }
  uint8_t* Row(int32_t y) override { return pixels.data() + static_cast<std::size_t>(y) * w * 3; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE.jpg [runs]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
  std::ifstream f(argv[1], std::ios::binary);
  std::vector<uint8_t> file(std::istreambuf_iterator<char>(f), {});
  std::vector<double> ms;
  korvi::JpegResult r;
  Target t;  // reused, as the program reuses its glyph bitmap
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    r = korvi::DecodeJpeg(file, t);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  if (r.status != korvi::JpegStatus::Ok) {
    std::fprintf(stderr, "decode failed\n");
    return 1;
  }
  std::sort(ms.begin(), ms.end());
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("native decode %dx%d (%zu bytes): median %.1f ms, min %.1f ms over %d runs; peak RSS %.1f MB\n",
              r.width, r.height, file.size(), ms[ms.size() / 2], ms.front(), runs, usage.ru_maxrss / 1024.0);
  return 0;
}
