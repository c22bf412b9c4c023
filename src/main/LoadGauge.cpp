#include "main/LoadGauge.h"

#include "main/ClockFace.h"

namespace korvi {

int32_t PercentUsed(uint32_t available, uint32_t total) {
  if (total == 0) return 0;
  return RoundHalfEven((1.0 - static_cast<double>(available) / static_cast<double>(total)) * 100.0);
}

LoadSample SampleOf(const MemoryStatus& m) {
  LoadSample s;
  s.Values[MemoryLoad] = static_cast<int32_t>(m.MemoryLoad);
  s.Values[PhysicalUsed] = PercentUsed(m.AvailPhys, m.TotalPhys);
  s.Values[PageUsed] = PercentUsed(m.AvailPageFile, m.TotalPageFile);
  s.Values[VirtualUsed] = PercentUsed(m.AvailVirtual, m.TotalVirtual);
  return s;
}

void PushLoadSample(std::array<LoadSample, kLoadSamples + 1>& history, const LoadSample& s) {
  for (int k = 1; k < kLoadSamples; ++k) history[k] = history[k + 1];
  history[kLoadSamples] = s;
}

bool PlotPosition(int32_t entry, int32_t value, int32_t width, int32_t height, int32_t& x, int32_t& y) {
  // 64-bit products: a hostile percentage or a huge button cannot overflow.
  const int64_t px = static_cast<int64_t>(entry) * width / 100;
  const int64_t py = (100 - static_cast<int64_t>(value)) * height / 100;
  if (px < 0 || px >= width || py < 0 || py >= height) return false;
  x = static_cast<int32_t>(px);
  y = static_cast<int32_t>(py);
  return true;
}

std::vector<GraphPixel> LoadGraphPixels(const std::array<LoadSample, kLoadSamples + 1>& history, int32_t width,
                                        int32_t height) {
  static constexpr TColor kCurveColors[4] = {clWhite, clRed, 0x00FF00, clBlue};
  std::vector<GraphPixel> pixels;
  if (width <= 0 || height <= 0) return pixels;
  pixels.reserve(kLoadSamples * 4 + 2);
  for (int i = 1; i <= kLoadSamples; ++i) {
    for (int v = 0; v < 4; ++v) {
      int32_t x = 0, y = 0;
      if (PlotPosition(i, history[i].Values[v], width, height, x, y)) pixels.push_back({x, y, kCurveColors[v]});
    }
  }
  // The bottom left corner is kept see-through in both styles.
  pixels.push_back({0, height - 1, clBtnFace});
  return pixels;
}

TColor GaugeBackground(int32_t style, TColor fontColor) { return style == 2001 ? fontColor : clBtnFace; }

std::string LoadHint(const LoadSample& s) {
  return "(White)Load:" + std::to_string(s.Values[MemoryLoad]) + "%   (Red)Physical:" +
         std::to_string(s.Values[PhysicalUsed]) + "%   (Green)Page:" + std::to_string(s.Values[PageUsed]) +
         "%   (Blue)Virtual:" + std::to_string(s.Values[VirtualUsed]) + "%";
}

}  // namespace korvi
