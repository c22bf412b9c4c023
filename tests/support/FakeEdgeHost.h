#pragma once
#include <string>
#include <vector>

#include "platform/EdgeHost.h"

namespace korvi::test {

// Records what the docking component asks of its window, in order, in Log
// (shared with the window's resizes when the test wants one timeline).
class FakeEdgeHost : public EdgeHost, public ScreenOutline {
 public:
  void RemoveBorder() override { BorderRemoved = true; }
  int32_t BorderWidth() override { return Border; }
  bool IsStayOnTop() override { return StayOnTop; }
  void BringToForeground() override { Log.push_back("foreground"); }
  void SetCursor(EdgeCursor c) override { Cursor = c; }
  void HoldChildren() override {
    ChildrenHeld = true;
    Log.push_back("hold");
  }
  void ReleaseChildren() override {
    ChildrenHeld = false;
    Log.push_back("release");
  }
  void SetTimer(int32_t periodMs) override { TimerPeriod = periodMs; }

  void Begin() override {
    ++OutlineBegins;
    Outline.clear();
  }
  void DrawFocusRect(const Rect& r) override { Outline.push_back(r); }
  void End() override { ++OutlineEnds; }

  // The outline drawn since the last Begin left nothing on the screen: every
  // rectangle drawn was drawn again (erased) right after.
  bool OutlineErased() const {
    if (Outline.size() % 2 != 0) return false;
    for (size_t i = 0; i < Outline.size(); i += 2)
      if (!(Outline[i] == Outline[i + 1])) return false;
    return true;
  }

  bool BorderRemoved = false;
  int32_t Border = 0;
  bool StayOnTop = false;
  EdgeCursor Cursor = EdgeCursor::Saved;
  bool ChildrenHeld = false;
  int32_t TimerPeriod = -1;
  int OutlineBegins = 0, OutlineEnds = 0;
  std::vector<Rect> Outline;
  std::vector<std::string> Log;
};

}  // namespace korvi::test
