#pragma once
#include <windows.h>

#include "platform/EdgeHost.h"

namespace korvi {

// The outline an edge drag draws on the whole screen: focus rectangles drawn and
// erased by inversion on the screen's device context, held from Begin to End.
class ScreenOutlineDC : public ScreenOutline {
 public:
  ScreenOutlineDC() = default;
  ScreenOutlineDC(const ScreenOutlineDC&) = delete;
  ScreenOutlineDC& operator=(const ScreenOutlineDC&) = delete;
  ~ScreenOutlineDC() override { End(); }

  void Begin() override;
  void DrawFocusRect(const Rect& r) override;
  void End() override;

 private:
  HDC screenDc_ = nullptr;
};

}  // namespace korvi
