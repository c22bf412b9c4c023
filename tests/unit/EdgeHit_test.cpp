// Hit testing of a panel's sides, what a drag from each side does, and slide steps.
// EdgeHit works on the rectangle (0,0)-(width,height) in client coordinates.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "panel/Docking.h"
#include "panel/EdgeHit.h"

namespace korvi {
namespace {

TEST(EdgeHit, TenPixelsFromASideHitsElevenDoesNot) {
  // 400x100 panel.
  EXPECT_EQ(EdgeHit(200, 10, 400, 100), edge::Top);
  EXPECT_EQ(EdgeHit(200, 11, 400, 100), edge::None);
  EXPECT_EQ(EdgeHit(200, 90, 400, 100), edge::Bottom);
  EXPECT_EQ(EdgeHit(200, 89, 400, 100), edge::None);
  EXPECT_EQ(EdgeHit(10, 50, 400, 100), edge::Left);
  EXPECT_EQ(EdgeHit(390, 50, 400, 100), edge::Right);
  EXPECT_EQ(EdgeHit(389, 50, 400, 100), edge::None);
  EXPECT_EQ(EdgeHit(-10, 50, 400, 100), edge::Left) << "distances are absolute: outside the panel counts too";
  EXPECT_EQ(EdgeHit(200, 110, 400, 100), edge::Bottom);
}

TEST(EdgeHit, LeftOrRightWinsAtCornersAndTiesKeepTheFirstSide) {
  EXPECT_EQ(EdgeHit(0, 0, 400, 100), edge::Left) << "top-left corner";
  EXPECT_EQ(EdgeHit(400, 100, 400, 100), edge::Right) << "bottom-right corner";
  EXPECT_EQ(EdgeHit(5, 5, 400, 100), edge::Left) << "equally near left and top";
  EXPECT_EQ(EdgeHit(6, 5, 400, 100), edge::Top) << "strictly nearer the top";
  EXPECT_EQ(EdgeHit(5, 5, 10, 10), edge::Left) << "a 10x10 rectangle: all four sides equally near";
}

TEST(EdgeHit, HostileCoordinatesDoNotOverflow) {
  EXPECT_EQ(EdgeHit(INT_MIN, INT_MIN, INT_MAX, INT_MAX), edge::None);
  EXPECT_EQ(EdgeHit(INT_MAX, 0, INT_MAX, INT_MAX), edge::Right);
}

TEST(DragMode, InnerSideResizesShortEndsRedockOuterSideDoesNothing) {
  struct Row {
    uint8_t dock, hit;
    DragMode mode;
  };
  const Row rows[] = {
      {edge::Bottom, edge::Top, DragMode::MoveTop},     {edge::Bottom, edge::Bottom, DragMode::None},
      {edge::Bottom, edge::Left, DragMode::Redock},     {edge::Bottom, edge::Right, DragMode::Redock},
      {edge::Top, edge::Bottom, DragMode::MoveBottom},  {edge::Top, edge::Top, DragMode::None},
      {edge::Top, edge::Left, DragMode::Redock},        {edge::Left, edge::Right, DragMode::MoveRight},
      {edge::Left, edge::Left, DragMode::None},         {edge::Left, edge::Top, DragMode::Redock},
      {edge::Left, edge::Bottom, DragMode::Redock},     {edge::Right, edge::Left, DragMode::MoveLeft},
      {edge::Right, edge::Right, DragMode::None},       {edge::Right, edge::Bottom, DragMode::Redock},
      {edge::Bottom, edge::None, DragMode::None},       {edge::None, edge::Top, DragMode::None},
  };
  for (const Row& r : rows)
    EXPECT_EQ(DragModeFor(r.dock, r.hit), r.mode) << "docked " << int(r.dock) << ", side hit " << int(r.hit);
}

std::vector<int32_t> Steps(int32_t from, int32_t to) {
  std::vector<int32_t> out;
  for (int32_t cur = from; cur != to;) out.push_back(cur = NextSlideStep(cur, to));
  return out;
}

TEST(SlideSteps, TwoPixelsAtATimeAndOneForTheLastOddPixel) {
  std::vector<int32_t> down;
  for (int32_t v = 98; v >= 4; v -= 2) down.push_back(v);
  down.push_back(3);
  EXPECT_EQ(Steps(100, 3), down);
  EXPECT_EQ(Steps(3, 8), (std::vector<int32_t>{5, 7, 8}));
  EXPECT_EQ(Steps(4, 8), (std::vector<int32_t>{6, 8}));
  EXPECT_EQ(Steps(7, 6), (std::vector<int32_t>{6}));
  EXPECT_EQ(NextSlideStep(9, 9), 9);
}

}  // namespace
}  // namespace korvi
