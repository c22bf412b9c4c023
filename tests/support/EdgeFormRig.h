#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/EdgeForm.h"
#include "support/FakeEdgeHost.h"
#include "support/FakeForm.h"
#include "support/FakePlatform.h"

namespace korvi::test {

// A docking component attached to a fake pager window.
// Screen 1024x768; work area (0,0)-(1024,740), a 28-pixel taskbar below it.
// The window starts 100 pixels thick, so docked to the bottom it is (0,640)-(1024,740).
// Every resize of the window reaches the resize hook at once, as WM_SIZE does, and
// is logged as "size N" (N the new thickness) in host.Log beside the host's requests.
class EdgeFormRig : public ::testing::Test {
 protected:
  FakePlatform fake;
  FakeFormHost raw;
  DockedWindow win{raw, fake.Windows, edge::Bottom};
  FakeEdgeHost host;
  TEdgeForm form;
  std::vector<std::string> own;  // the form's own handlers that ran, in order

  void SetUp() override {
    fake.Windows.Work = {0, 0, 1024, 740};
    raw.Rect_ = {100, 100, 500, 200};
    raw.OnSized = [this] {
      host.Log.push_back("size " + std::to_string(ThicknessOf(raw.Rect_, win.Edge())));
      form.OnResize();
    };
  }

  void Attach(uint8_t dockEdge = edge::Bottom) {
    win.SetEdge(dockEdge);
    FormHandlers h;
    h.OnClick = [this] { own.push_back("click"); };
    h.OnDblClick = [this] { own.push_back("dblclick"); };
    h.OnKeyDown = [this](uint16_t, ShiftState) { own.push_back("keydown"); };
    h.OnKeyPress = [this](char) { own.push_back("keypress"); };
    h.OnKeyUp = [this](uint16_t, ShiftState) { own.push_back("keyup"); };
    h.OnMouseDown = [this](MouseButton, ShiftState, int32_t, int32_t) { own.push_back("mousedown"); };
    h.OnMouseMove = [this](ShiftState, int32_t, int32_t) { own.push_back("mousemove"); };
    h.OnMouseUp = [this](MouseButton, ShiftState, int32_t, int32_t) { own.push_back("mouseup"); };
    h.OnPaint = [this] { own.push_back("paint"); };
    h.OnResize = [this] { own.push_back("resize"); };
    form.Attach(win, host, host, fake.Windows, std::move(h));
    own.clear();
    host.Log.clear();
  }

  // Collapses with the timer: the mouse is far away and two ticks pass.
  void CollapseByTimer() {
    fake.Windows.Cursor = {500, 10};
    form.TimerTick();
    form.TimerTick();
  }

  // A plain left-button drag in client coordinates: press, moves, release.
  void Drag(Point from, std::vector<Point> path) {
    form.OnMouseDown(MouseButton::Left, ssLeft, from.X, from.Y);
    for (Point p : path) form.OnMouseMove(ssLeft, p.X, p.Y);
    Point end = path.empty() ? from : path.back();
    form.OnMouseUp(MouseButton::Left, 0, end.X, end.Y);
  }

  // The thicknesses the window went through, in order, since the log was cleared.
  std::vector<int32_t> Sizes() const {
    std::vector<int32_t> out;
    for (const auto& e : host.Log)
      if (e.rfind("size ", 0) == 0) out.push_back(std::stoi(e.substr(5)));
    return out;
  }
};

}  // namespace korvi::test
