// Attaching the docking component and its ten hooks: which events expand a collapsed
// panel and which reach the form's own handlers. See EdgeFormRig for the set-up.
#include <functional>

#include "support/EdgeFormRig.h"

namespace korvi {
namespace {

using test::EdgeFormRig;
using Hooks = EdgeFormRig;

TEST_F(Hooks, AttachDocksToTheBottomWhenTheFormHasNoEdgeAndStartsExpanded) {
  Attach(edge::None);
  EXPECT_TRUE(host.BorderRemoved);
  EXPECT_EQ(win.Edge(), edge::Bottom);
  EXPECT_EQ(raw.Rect_, (Rect{0, 640, 1024, 740}));
  EXPECT_EQ(form.Size(), 100);
  EXPECT_TRUE(form.IsBig());
  EXPECT_TRUE(form.AutoFull() && form.AutoMove() && form.Smooth());
  EXPECT_FALSE(form.Freeze());
  EXPECT_EQ(form.Interval(), 1000);
  EXPECT_EQ(host.TimerPeriod, 1000) << "the auto-hide timer runs from the start";
}

TEST_F(Hooks, AttachKeepsAUsableEdgeAndNumbersTheComponents) {
  Attach(edge::Left);
  EXPECT_EQ(win.Edge(), edge::Left);
  EXPECT_EQ(raw.Rect_, (Rect{0, 0, 100, 740}));
  const std::string name = form.Name();
  ASSERT_EQ(name.rfind("EdgeForm", 0), 0u);
  const std::string n = name.substr(8);
  EXPECT_EQ(form.PanelName(), "EdgeFormPanel" + n);
  EXPECT_EQ(form.TimerName(), "EdgeFormTimer" + n);

  test::FakeFormHost raw2;
  DockedWindow win2{raw2, fake.Windows, 9};
  TEdgeForm second;
  second.Attach(win2, host, host, fake.Windows, {});
  EXPECT_EQ(second.Name(), "EdgeForm" + std::to_string(std::stoi(n) + 1)) << "every attach counts";
  EXPECT_EQ(win2.Edge(), edge::Bottom) << "an unknown edge code docks to the bottom";
}

// One row per event: whether the form's own handler runs, by state of the panel.
struct HookRow {
  const char* name;
  std::function<bool(TEdgeForm&)> fire;
  bool ownWhenCollapsed;
  bool ownWhenExpanded;
  bool expandsOnContact;
};

const HookRow kRows[] = {
    {"click", [](TEdgeForm& f) { return f.OnClick(); }, true, true, true},
    {"dblclick", [](TEdgeForm& f) { return f.OnDblClick(); }, true, true, true},
    {"keydown", [](TEdgeForm& f) { return f.OnKeyDown(65, 0); }, true, true, true},
    {"keypress", [](TEdgeForm& f) { return f.OnKeyPress('a'); }, true, true, true},
    {"keyup", [](TEdgeForm& f) { return f.OnKeyUp(65, 0); }, true, true, true},
    {"mousedown", [](TEdgeForm& f) { return f.OnMouseDown(MouseButton::Right, ssRight, 500, 50); }, false, true, true},
    {"mousemove", [](TEdgeForm& f) { return f.OnMouseMove(0, 500, 50); }, false, true, true},
    {"mouseup", [](TEdgeForm& f) { return f.OnMouseUp(MouseButton::Right, 0, 500, 50); }, false, true, true},
    {"paint", [](TEdgeForm& f) { return f.OnPaint(); }, true, true, false},
    {"resize", [](TEdgeForm& f) { return f.OnResize(); }, true, true, false},
};

TEST_F(Hooks, PassThroughAndExpandOnContactFollowTheStateOfThePanel) {
  Attach();
  for (const HookRow& row : kRows) {
    SCOPED_TRACE(row.name);
    // Expanded.
    own.clear();
    EXPECT_EQ(row.fire(form), row.ownWhenExpanded);
    EXPECT_EQ(own == std::vector<std::string>{row.name}, row.ownWhenExpanded) << "the form's own handler, expanded";

    // Collapsed with auto-hide on: contact expands.
    form.SetIsBig(false);
    own.clear();
    EXPECT_EQ(row.fire(form), row.ownWhenCollapsed);
    bool ranOwn = std::find(own.begin(), own.end(), row.name) != own.end();
    EXPECT_EQ(ranOwn, row.ownWhenCollapsed) << "the form's own handler, collapsed";
    EXPECT_EQ(form.IsBig(), row.expandsOnContact) << "expands on contact, auto-hide on";
    form.SetIsBig(true);

    // Collapsed with auto-hide off: nothing expands it.
    form.SetAutoFull(false);
    form.SetIsBig(false);
    own.clear();
    row.fire(form);
    EXPECT_FALSE(form.IsBig()) << "auto-hide off: stays collapsed";
    form.SetAutoFull(true);
    form.SetIsBig(true);
  }
}

TEST_F(Hooks, PlainLeftPressNeverReachesTheFormsMouseDownOtherPressesDo) {
  Attach();
  form.OnMouseDown(MouseButton::Left, ssLeft, 500, 50);  // middle of the panel: no edge, no drag
  EXPECT_FALSE(form.Dragging());
  form.OnMouseDown(MouseButton::Left, ssLeft, 500, 5);  // inner side: a drag
  EXPECT_TRUE(form.Dragging());
  form.OnMouseUp(MouseButton::Left, 0, 500, 5);
  EXPECT_TRUE(own.empty()) << "neither plain press nor the release that ends the drag reached the form";

  form.OnMouseDown(MouseButton::Left, ssLeft | ssShift, 500, 5);
  form.OnMouseDown(MouseButton::Left, ssLeft | ssDouble, 500, 5);
  form.OnMouseDown(MouseButton::Left, ssLeft | ssRight, 500, 5);
  EXPECT_FALSE(form.Dragging()) << "only an exactly-plain left press drags";
  EXPECT_EQ(own, (std::vector<std::string>{"mousedown", "mousedown", "mousedown"}));
}

TEST_F(Hooks, ClickAfterTheReleaseOfADragReachesTheForm) {
  Attach();
  Drag({500, 0}, {{500, -50}});
  form.OnClick();
  EXPECT_EQ(own, (std::vector<std::string>{"resize", "click"}))
      << "the new size is reported to the form, then the click that saves it";
  EXPECT_EQ(form.Size(), 150);
}

TEST_F(Hooks, ClickDuringADragEndsIt) {
  Attach();
  form.OnMouseDown(MouseButton::Left, ssLeft, 500, 0);
  form.OnMouseMove(ssLeft, 500, -20);
  form.OnClick();
  EXPECT_FALSE(form.Dragging());
  EXPECT_EQ(form.Size(), 120);
  EXPECT_EQ(host.OutlineEnds, 1);
}

TEST_F(Hooks, ResizeHookRemembersTheThicknessToExpandTo) {
  Attach();
  win.SetThickness(140);  // e.g. the window layer or the settings changed it
  form.SetIsBig(false);
  form.SetIsBig(true);
  EXPECT_EQ(form.Size(), 140);
}

}  // namespace
}  // namespace korvi
