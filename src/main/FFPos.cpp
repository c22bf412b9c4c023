#include "main/FFPos.h"

#include <algorithm>

namespace korvi {

Rect CentredOnScreen(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height) {
  // A dialog larger than the screen (a small screen at a high DPI) starts at the top
  // left corner instead: its caption stays on the screen, where it can be dragged.
  const int32_t left = std::max(0, (screenWidth - width) / 2), top = std::max(0, (screenHeight - height) / 2);
  return {left, top, left + width, top + height};
}

void TPosForm::Display(int32_t left, int32_t top, int32_t width, int32_t height) {
  Static1 = "pos:  (" + std::to_string(left) + " , " + std::to_string(top) + ")";
  Static2 = "size: (" + std::to_string(width) + " , " + std::to_string(height) + ")";
  if (host_) host_->ShowTexts(Static1, Static2);
}

}  // namespace korvi
