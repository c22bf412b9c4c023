#pragma once
#include <array>
#include <cstdint>

#include "platform/Colors.h"
#include "platform/Geometry.h"

namespace korvi {

// The analogue clock face: where its marks and hands lie in a W x H picture.
// Angles start at 1.5 x 3.1415 (straight up, with y growing downwards) and grow
// clockwise; 3.1415 stands for pi on purpose, so the marks sit where the panel
// has always put them. Rounding is to nearest, halves to even.
struct ClockFace {
  int32_t Width = 0, Height = 0;
  Point Centre;                  // (W div 2, H div 2)
  std::array<Point, 12> Marks;   // centre of each 3 x 3 mark, 12 o'clock first
  Point HourHand;                // end of the hour hand (pen width 4)
  Point MinuteHand;              // end of the minute hand (pen width 2)
  TColor Key = clRed;            // background colour, made see-through
  TColor Ink = clBlack;          // marks and hands
};

constexpr int32_t kHourHandWidth = 4;
constexpr int32_t kMinuteHandWidth = 2;

// Key colour of a face drawn in `ink`: blue for exactly red ink, red otherwise.
TColor ClockKeyColor(TColor ink);

// Lays out the face of a W x H clock showing hour:minute (0..23, 0..59) in `ink`.
ClockFace LayOutClockFace(int32_t width, int32_t height, int32_t hour, int32_t minute, TColor ink);

// Rounds to the nearest integer, halves to the even neighbour (12.5 -> 12, 13.5 -> 14).
int32_t RoundHalfEven(double value);

}  // namespace korvi
