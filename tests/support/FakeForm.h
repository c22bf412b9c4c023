#pragma once
#include <functional>
#include <vector>

#include "platform/FormHost.h"
#include "support/GeometryPrint.h"

namespace korvi::test {

// A recording window: keeps its rectangle, logs every resize and, like a real window
// whose size changed, reports the new size at once through OnSized.
class FakeFormHost : public FormHost {
 public:
  Rect Bounds() override { return Rect_; }
  void SetBounds(const Rect& r) override {
    const bool sized = r.Width() != Rect_.Width() || r.Height() != Rect_.Height();
    Rect_ = r;
    Applied.push_back(r);
    if (sized && OnSized) OnSized();
  }
  void SetStayOnTop(bool onTop) override { StayOnTop = onTop; }
  void Repaint() override { ++Repaints; }

  Rect Rect_{100, 100, 500, 300};
  std::vector<Rect> Applied;
  std::function<void()> OnSized;
  bool StayOnTop = false;
  int Repaints = 0;
};

}  // namespace korvi::test
