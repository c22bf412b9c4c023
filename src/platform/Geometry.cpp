#include "platform/Geometry.h"

#include <algorithm>

namespace korvi {

Rect CentredOnScreen(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height) {
  // A dialog larger than the screen (a small screen at a high DPI) starts at the top
  // left corner instead: its caption stays on the screen, where it can be dragged.
  const int32_t left = std::max(0, (screenWidth - width) / 2), top = std::max(0, (screenHeight - height) / 2);
  return {left, top, left + width, top + height};
}

}  // namespace korvi
