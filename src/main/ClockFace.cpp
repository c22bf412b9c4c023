#include "main/ClockFace.h"

#include <cmath>
#include <limits>

namespace korvi {

namespace {

constexpr double kPi = 3.1415;
constexpr double kTop = 4.71225;  // 1.5 x 3.1415: twelve o'clock

Point OnDial(const ClockFace& f, double angle, double reach) {
  const double rx = f.Width / 2.0, ry = f.Height / 2.0;
  return {f.Centre.X + RoundHalfEven(std::cos(angle) * rx * reach),
          f.Centre.Y + RoundHalfEven(std::sin(angle) * ry * reach)};
}

}  // namespace

int32_t RoundHalfEven(double value) {
  if (!(value == value)) return 0;  // NaN
  const double r = std::nearbyint(value);  // default rounding mode: to nearest, ties to even
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

TColor ClockKeyColor(TColor ink) { return ink == clRed ? clBlue : clRed; }

ClockFace LayOutClockFace(int32_t width, int32_t height, int32_t hour, int32_t minute, TColor ink) {
  ClockFace f;
  f.Width = width;
  f.Height = height;
  f.Centre = {width / 2, height / 2};
  f.Ink = ink;
  f.Key = ClockKeyColor(ink);
  for (int i = 0; i < 12; ++i) f.Marks[static_cast<size_t>(i)] = OnDial(f, (i / 12.0) * kPi * 2 + kTop, 0.8);
  if (hour >= 12) hour -= 12;
  f.HourHand = OnDial(f, ((hour + minute / 60.0) / 12.0) * kPi * 2 + kTop, 0.5);
  f.MinuteHand = OnDial(f, (minute / 60.0) * kPi * 2 + kTop, 0.9);
  return f;
}

}  // namespace korvi
