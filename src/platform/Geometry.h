#pragma once
#include <cstdint>

namespace korvi {

// A screen or client rectangle. Right and Bottom are exclusive, as in Win32:
// a 10-pixel-wide rectangle at x = 0 has Left 0 and Right 10.
struct Rect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const Rect&) const = default;
};

struct Point {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const Point&) const = default;
};

// Where a dialog of the given size stands when centred on the screen (truncating halves),
// never above or left of the screen.
Rect CentredOnScreen(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height);

}  // namespace korvi
