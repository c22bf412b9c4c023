// libFuzzer: any bytes through the JPEG decoder must end in a status, never a crash,
// an out-of-bounds access or a leak.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "buttons/JpegDecode.h"

namespace {

struct Target : korvi::JpegTarget {
  int32_t w = 0;
  std::vector<uint8_t> pixels;
  bool Allocate(int32_t width, int32_t height) override {
    // Large pictures decode the same way as small ones; refusing them keeps each run fast.
    if (static_cast<int64_t>(width) * height > 2'000'000) return false;
    w = width;
    pixels.resize(static_cast<std::size_t>(width) * height * 3);
    return true;
  }
  uint8_t* Row(int32_t y) override { return pixels.data() + static_cast<std::size_t>(y) * w * 3; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Target t;
  korvi::DecodeJpeg({data, size}, t);
  return 0;
}
