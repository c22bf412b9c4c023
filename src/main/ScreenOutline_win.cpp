#include "main/ScreenOutline_win.h"

namespace korvi {

void ScreenOutlineDC::Begin() {
  if (!screenDc_) screenDc_ = ::GetDC(nullptr);
}

void ScreenOutlineDC::DrawFocusRect(const Rect& r) {
  if (!screenDc_) return;
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::DrawFocusRect(screenDc_, &rc);
}

void ScreenOutlineDC::End() {
  if (screenDc_) ::ReleaseDC(nullptr, screenDc_);
  screenDc_ = nullptr;
}

}  // namespace korvi
