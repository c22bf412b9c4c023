// Geometry of the analogue clock face and the rounding it relies on.
#include <gtest/gtest.h>

#include "main/ClockFace.h"

namespace korvi {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(12.5), 12);
  EXPECT_EQ(RoundHalfEven(13.5), 14);
  EXPECT_EQ(RoundHalfEven(37.5), 38);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(1e12), INT32_MAX) << "saturates instead of overflowing";
}

TEST(ClockFace, KeyColourIsBlueOnlyForExactlyRedInk) {
  EXPECT_EQ(ClockKeyColor(clRed), clBlue);
  EXPECT_EQ(ClockKeyColor(clBlack), clRed);
  EXPECT_EQ(ClockKeyColor(0x0000FE), clRed);
  EXPECT_EQ(ClockKeyColor(clBtnFace), clRed);
  EXPECT_EQ(LayOutClockFace(48, 48, 1, 2, clRed).Key, clBlue);
}

// 100 x 100 at 14:05. Marks lie on an ellipse of 0.8 times the half sizes around
// (50, 50), twelve o'clock first, clockwise:
//
//        (30,15) (50,10) (70,15)
//   (15,30)                  (85,30)
//   (10,50)        +         (90,50)
//   (15,70)                  (85,70)
//        (30,85) (50,90) (70,85)
TEST(ClockFace, MarksAndHandsOfASquareFaceAtFivePastTwo) {
  const ClockFace f = LayOutClockFace(100, 100, 14, 5, clBlack);
  EXPECT_EQ(f.Centre, (Point{50, 50}));
  const Point expected[12] = {{50, 10}, {70, 15}, {85, 30}, {90, 50}, {85, 70}, {70, 85},
                              {50, 90}, {30, 85}, {15, 70}, {10, 50}, {15, 30}, {30, 15}};
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(f.Marks[i], expected[i]) << "mark " << i << " at " << f.Marks[i].X << "," << f.Marks[i].Y;
  EXPECT_EQ(f.HourHand, (Point{72, 38})) << "a little past two: right and up, half the radius";
  EXPECT_EQ(f.MinuteHand, (Point{72, 11})) << "five minutes: near the one o'clock mark, 0.9 of the radius";
}

TEST(ClockFace, WideFaceUsesFloatingHalvesForRadiiAndIntegerHalvesForTheCentre) {
  // 75 x 25: centre (37, 12); the horizontal radius is 37.5 x 0.8 = 30, not 37 x 0.8.
  const ClockFace f = LayOutClockFace(75, 25, 14, 5, clBlack);
  EXPECT_EQ(f.Centre, (Point{37, 12}));
  EXPECT_EQ(f.Marks[3], (Point{67, 12}));
  EXPECT_EQ(f.Marks[9], (Point{7, 12}));
  EXPECT_EQ(f.Marks[0], (Point{37, 2}));
  EXPECT_EQ(f.Marks[6], (Point{37, 22}));
  EXPECT_EQ(f.HourHand, (Point{54, 9}));
  EXPECT_EQ(f.MinuteHand, (Point{54, 2}));
}

TEST(ClockFace, AfternoonHourHandMatchesTheMorningOne) {
  const ClockFace am = LayOutClockFace(48, 48, 9, 45, clBlack);
  const ClockFace pm = LayOutClockFace(48, 48, 21, 45, clBlack);
  EXPECT_EQ(am.HourHand, pm.HourHand);
  EXPECT_EQ(am.HourHand, (Point{13, 19})) << "quarter to ten: left of centre, a little up";
  EXPECT_EQ(am.MinuteHand, (Point{2, 24})) << "45 minutes points left";
}

TEST(ClockFace, DegenerateSizesStayFinite) {
  const ClockFace z = LayOutClockFace(0, 0, 3, 0, clBlack);
  for (const Point& p : z.Marks) EXPECT_EQ(p, (Point{0, 0}));
  const ClockFace n = LayOutClockFace(-10, 5, 3, 0, clBlack);
  EXPECT_EQ(n.Centre, (Point{-5, 2}));
}

}  // namespace
}  // namespace korvi
