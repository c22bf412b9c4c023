// Memory-load samples, the history and the plot arithmetic of the load graph.
#include <gtest/gtest.h>

#include <algorithm>

#include "main/LoadGauge.h"

namespace korvi {
namespace {

TEST(LoadPercent, RoundsHalvesToEvenAndSurvivesAZeroTotal) {
  EXPECT_EQ(PercentUsed(75, 100), 25);
  EXPECT_EQ(PercentUsed(875, 1000), 12) << "12.5 rounds down to the even 12";
  EXPECT_EQ(PercentUsed(625, 1000), 38) << "37.5 rounds up to the even 38";
  EXPECT_EQ(PercentUsed(0, 0), 0) << "no page file: nothing in use";
  EXPECT_EQ(PercentUsed(0, 0xFFFFFFFFu), 100);
  EXPECT_EQ(PercentUsed(0xFFFFFFFFu, 0xFFFFFFFFu), 0) << "sizes are unsigned 32-bit";
}

TEST(LoadSample, TakesTheFourFiguresInOrder) {
  MemoryStatus m;
  m.MemoryLoad = 61;
  m.TotalPhys = 400, m.AvailPhys = 300;           // 25 %
  m.TotalPageFile = 0, m.AvailPageFile = 0;       // none
  m.TotalVirtual = 2000, m.AvailVirtual = 750;    // 62.5 -> 62
  const LoadSample s = SampleOf(m);
  EXPECT_EQ(s.Values[MemoryLoad], 61);
  EXPECT_EQ(s.Values[PhysicalUsed], 25);
  EXPECT_EQ(s.Values[PageUsed], 0);
  EXPECT_EQ(s.Values[VirtualUsed], 62);
  EXPECT_EQ(LoadHint(s), "(White)Load:61%   (Red)Physical:25%   (Green)Page:0%   (Blue)Virtual:62%");
}

TEST(LoadHistory, NewestEntersAtTheEndAndTheOldestLeaves) {
  std::array<LoadSample, kLoadSamples + 1> h{};
  for (int i = 1; i <= 101; ++i) {
    LoadSample s;
    s.Values[MemoryLoad] = i;
    PushLoadSample(h, s);
  }
  EXPECT_EQ(h[100].Values[MemoryLoad], 101);
  EXPECT_EQ(h[1].Values[MemoryLoad], 2) << "101 samples: the first has gone";
  EXPECT_EQ(h[0].Values[MemoryLoad], 0) << "entry 0 is not part of the history";
}

TEST(LoadPlot, PositionsAtTheEdgesOfTheGraph) {
  int32_t x = -1, y = -1;
  ASSERT_TRUE(PlotPosition(50, 50, 92, 92, x, y));  // a 100 x 100 gauge draws 92 x 92
  EXPECT_EQ(x, 46);
  EXPECT_EQ(y, 46);
  ASSERT_TRUE(PlotPosition(1, 100, 92, 92, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  ASSERT_TRUE(PlotPosition(99, 1, 92, 92, x, y));
  EXPECT_EQ(x, 91);
  EXPECT_EQ(y, 91);
  EXPECT_FALSE(PlotPosition(100, 50, 92, 92, x, y)) << "the newest entry's column x = W is outside";
  EXPECT_FALSE(PlotPosition(50, 0, 92, 92, x, y)) << "a 0 % value's row y = H is outside";
  ASSERT_TRUE(PlotPosition(50, 101, 92, 92, x, y)) << "-92 div 100 truncates to row 0";
  EXPECT_EQ(y, 0);
  EXPECT_FALSE(PlotPosition(50, 110, 92, 92, x, y));
  EXPECT_FALSE(PlotPosition(50, INT32_MIN, 92, 92, x, y)) << "a hostile value neither overflows nor draws";
}

TEST(LoadGraph, PixelsInDrawingOrderWithTheSeeThroughCorner) {
  std::array<LoadSample, kLoadSamples + 1> h{};
  h[50].Values[PhysicalUsed] = 50;
  h[50].Values[PageUsed] = 50;  // same point: green is drawn after red and wins
  h[10].Values[MemoryLoad] = 75;
  const auto px = LoadGraphPixels(h, 92, 92);
  auto at = [&](int x, int y) {
    TColor last = -1;
    for (const GraphPixel& p : px)
      if (p.X == x && p.Y == y) last = p.Color;
    return last;
  };
  EXPECT_EQ(at(46, 46), 0x00FF00);
  EXPECT_EQ(at(9, 23), clWhite) << "entry 10 at 75 %: x = 10*92/100 = 9, y = 25*92/100 = 23";
  EXPECT_EQ(px.back(), (GraphPixel{0, 91, clBtnFace})) << "the corner is set last";
  EXPECT_TRUE(std::none_of(px.begin(), px.end(), [](const GraphPixel& p) { return p.Y == 92 || p.X == 92; }));
}

TEST(LoadGraph, GaugeOfWidthEightOrLessDrawsNothing) {
  std::array<LoadSample, kLoadSamples + 1> h{};
  h[50].Values[PhysicalUsed] = 50;
  EXPECT_TRUE(LoadGraphPixels(h, 0, 92).empty());
  EXPECT_TRUE(LoadGraphPixels(h, -3, 92).empty());
}

TEST(LoadGraph, BackgroundPerStyle) {
  EXPECT_EQ(GaugeBackground(2000, clRed), clBtnFace);
  EXPECT_EQ(GaugeBackground(2001, clRed), clRed);
}

}  // namespace
}  // namespace korvi
