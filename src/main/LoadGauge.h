#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "panel/data.h"
#include "platform/Colors.h"
#include "platform/SystemInfo.h"

namespace korvi {

// The four values of a load sample, in the order they are kept.
enum LoadValue : int { MemoryLoad = 0, PhysicalUsed = 1, PageUsed = 2, VirtualUsed = 3 };

// Percentage in use of a total, rounded to nearest with halves to even. A total of 0
// (no page file, say) gives 0: there is nothing in use of nothing.
int32_t PercentUsed(uint32_t available, uint32_t total);

// One sample from the system's memory figures.
LoadSample SampleOf(const MemoryStatus& m);

// Moves the history down one entry and puts `s` in as entry 100, the newest.
void PushLoadSample(std::array<LoadSample, kLoadSamples + 1>& history, const LoadSample& s);

// One pixel of the load graph.
struct GraphPixel {
  int32_t X = 0, Y = 0;
  TColor Color = clBlack;
  bool operator==(const GraphPixel&) const = default;
};

// Where value v of history entry i lands in a W x H graph: x = i*W div 100,
// y = (100 - v)*H div 100. False when that lies outside the graph (the newest entry's
// column x = W, the row y = H of a 0 % value, and anything a broken figure would give).
bool PlotPosition(int32_t entry, int32_t value, int32_t width, int32_t height, int32_t& x, int32_t& y);

// Every pixel the graph draws over its background, in drawing order (later pixels
// win where they coincide): per entry 1..100 the memory load in white, physical in
// red, page file in green and virtual in blue; last the two corner pixels (0, H-1)
// and (0, H) in the button face colour, those that fall inside.
std::vector<GraphPixel> LoadGraphPixels(const std::array<LoadSample, kLoadSamples + 1>& history, int32_t width,
                                        int32_t height);

// Background of a gauge style: the button face for 2000, the font colour for 2001.
TColor GaugeBackground(int32_t style, TColor fontColor);

// The hint of a gauge: the newest sample's four values with their colours named.
std::string LoadHint(const LoadSample& newest);

}  // namespace korvi
