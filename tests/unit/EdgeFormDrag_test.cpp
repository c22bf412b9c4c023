// Edge drags: resizing from the inner side, re-docking from the short ends, the
// inverted outline and the cursor over the edge zones. See EdgeFormRig for the set-up:
// a bottom panel is (0,640)-(1024,740) on screen, (0,0)-(1024,100) in client coordinates.
#include <functional>

#include "support/EdgeFormRig.h"

namespace korvi {
namespace {

using EdgeDrag = test::EdgeFormRig;

TEST_F(EdgeDrag, PressTenPixelsFromTheInnerSideResizesElevenDoesNot) {
  Attach();
  Drag({500, 10}, {{500, -10}, {500, -40}});
  EXPECT_EQ(raw.Rect_, (Rect{0, 590, 1024, 740})) << "top side moved up 50 pixels, bottom stays at the edge";
  EXPECT_EQ(form.Size(), 150);

  own.clear();
  const Rect before = raw.Rect_;
  Drag({500, 11}, {{500, -30}});
  EXPECT_EQ(raw.Rect_, before) << "11 pixels away: no resize";
  EXPECT_EQ(host.OutlineBegins, 1) << "no outline for a press that hits no side";
  EXPECT_EQ(std::count(own.begin(), own.end(), "mousedown"), 0) << "the plain press still does not reach the form";
}

TEST_F(EdgeDrag, OutlineIsDrawnAndErasedInPairsOnTheScreen) {
  Attach();
  form.OnMouseDown(MouseButton::Left, ssLeft, 300, 3);
  EXPECT_EQ(host.OutlineBegins, 1);
  EXPECT_TRUE(host.Outline.empty()) << "nothing drawn before the first move";
  form.OnMouseMove(ssLeft, 300, -10);
  form.OnMouseMove(ssLeft, 300, -30);
  ASSERT_EQ(host.Outline.size(), 3u);
  EXPECT_EQ(host.Outline[0], (Rect{0, 627, 1024, 740}));
  EXPECT_EQ(host.Outline[1], host.Outline[0]) << "the old outline is erased before the new one is drawn";
  EXPECT_EQ(host.Outline[2], (Rect{0, 607, 1024, 740}));
  form.OnMouseUp(MouseButton::Left, 0, 300, -30);
  EXPECT_TRUE(host.OutlineErased()) << "no outline left on the screen";
  EXPECT_EQ(host.OutlineEnds, 1) << "screen context released";
  EXPECT_EQ(raw.Rect_, (Rect{0, 607, 1024, 740}));
}

TEST_F(EdgeDrag, ResizeOfEachDockedEdgeMovesOnlyItsInnerSide) {
  Attach(edge::Right);  // (924,0)-(1024,740), client (0,0)-(100,740)
  Drag({2, 300}, {{-60, 300}});
  EXPECT_EQ(raw.Rect_, (Rect{862, 0, 1024, 740}));
  win.SetEdge(edge::Left);  // (0,0)-(162,740)
  Drag({160, 300}, {{120, 300}});
  EXPECT_EQ(raw.Rect_, (Rect{0, 0, 122, 740}));
  win.SetEdge(edge::Top);  // (0,0)-(1024,122)
  Drag({500, 121}, {{500, 141}});
  EXPECT_EQ(raw.Rect_, (Rect{0, 0, 1024, 142}));
  EXPECT_EQ(form.Size(), 142);
}

TEST_F(EdgeDrag, ResizePastTheOppositeSideStopsAtTheStripAndAtTheWorkArea) {
  Attach();
  Drag({500, 0}, {{500, 300}});
  EXPECT_EQ(form.Size(), 3) << "a drag past the outer side leaves a strip that can still be grabbed";
  EXPECT_EQ(raw.Rect_, (Rect{0, 737, 1024, 740}));
  Drag({500, 0}, {{500, -2000}});
  EXPECT_EQ(raw.Rect_, (Rect{0, 0, 1024, 740})) << "the inner side stays on the work area";
}

TEST_F(EdgeDrag, PressAtTheTopLeftCornerOfABottomPanelRedocks) {
  Attach();
  form.OnMouseDown(MouseButton::Left, ssLeft, 0, 0);
  // Cursor at screen (1020, 340): 4 pixels from the right screen edge.
  form.OnMouseMove(ssLeft, 1020, -300);
  ASSERT_FALSE(host.Outline.empty());
  EXPECT_EQ(host.Outline.back(), (Rect{924, 0, 1024, 768})) << "outline of the right edge, screen high";
  form.OnMouseUp(MouseButton::Left, 0, 1020, -300);
  EXPECT_EQ(win.Edge(), edge::Right);
  EXPECT_EQ(raw.Rect_, (Rect{924, 0, 1024, 740})) << "docked right, the expanded thickness as width";
  EXPECT_EQ(form.Size(), 100);
  EXPECT_TRUE(host.OutlineErased());
}

TEST_F(EdgeDrag, RedockTargetsTheWholeScreenNotTheWorkArea) {
  Attach(edge::Left);  // (0,0)-(100,740)
  // Screen point (500, 764): below the work area, in the taskbar, 4 pixels from the screen bottom.
  Drag({50, 739}, {{500, 764}});
  EXPECT_EQ(win.Edge(), edge::Bottom);
  EXPECT_EQ(raw.Rect_, (Rect{0, 640, 1024, 740}));
}

TEST_F(EdgeDrag, RedockReleasedAwayFromEveryEdgeLeavesThePanel) {
  Attach();
  Drag({1024, 50}, {{900, -100}, {500, -300}});
  EXPECT_EQ(host.Outline[0], (Rect{0, 640, 1024, 740})) << "the outline of the panel itself while no edge is near";
  EXPECT_EQ(win.Edge(), edge::Bottom);
  EXPECT_EQ(raw.Rect_, (Rect{0, 640, 1024, 740}));
  EXPECT_TRUE(host.OutlineErased());
}

TEST_F(EdgeDrag, RedockIsReachedAgainAfterPassingAnEdge) {
  Attach();
  form.OnMouseDown(MouseButton::Left, ssLeft, 1020, 50);
  form.OnMouseMove(ssLeft, 500, -636);  // screen (500, 4): top
  form.OnMouseMove(ssLeft, 500, -300);  // away again
  form.OnMouseUp(MouseButton::Left, 0, 500, -300);
  EXPECT_EQ(win.Edge(), edge::Bottom) << "the target is where the mouse was released";
}

TEST_F(EdgeDrag, CursorShowsWhatAPressWouldDo) {
  Attach();
  form.OnMouseMove(0, 500, 4);
  EXPECT_EQ(host.Cursor, EdgeCursor::SizeNS) << "inner side of a bottom panel";
  form.OnMouseMove(0, 1020, 50);
  EXPECT_EQ(host.Cursor, EdgeCursor::Move) << "short end";
  form.OnMouseMove(0, 500, 50);
  EXPECT_EQ(host.Cursor, EdgeCursor::Saved) << "middle";
  form.OnMouseMove(0, 500, 98);
  EXPECT_EQ(host.Cursor, EdgeCursor::Saved) << "outer side does nothing";

  form.SetAutoMove(false);
  form.OnMouseMove(0, 500, 4);
  EXPECT_EQ(host.Cursor, EdgeCursor::Saved) << "AutoMove off: the form's own cursor";
  Drag({500, 4}, {{500, -6}});
  EXPECT_EQ(form.Size(), 110) << "AutoMove off still drags";

  form.SetAutoMove(true);
  win.SetEdge(edge::Left);
  form.OnMouseMove(0, 108, 300);
  EXPECT_EQ(host.Cursor, EdgeCursor::SizeWE);
  form.SetIsBig(false);
  EXPECT_EQ(host.Cursor, EdgeCursor::Default) << "over the strip";
}

// Every way a drag can end other than its release: the outline is erased, the screen
// context released, the panel keeps its size, and the auto-hide timer runs again.
TEST_F(EdgeDrag, EveryOtherEndOfADragCancelsIt) {
  struct Cause {
    const char* name;
    std::function<void(TEdgeForm&)> end;
  };
  const Cause causes[] = {
      {"Escape", [](TEdgeForm& f) { f.OnKeyDown(27, 0); }},
      {"another key", [](TEdgeForm& f) { f.OnKeyPress('a'); }},
      {"a key released", [](TEdgeForm& f) { f.OnKeyUp(16, 0); }},
      {"a double click",
       [](TEdgeForm& f) {
         f.OnMouseDown(MouseButton::Left, ssLeft | ssDouble, 500, 3);
         f.OnDblClick();
       }},
      {"another button", [](TEdgeForm& f) { f.OnMouseDown(MouseButton::Right, ssLeft | ssRight, 500, 3); }},
      {"lost capture", [](TEdgeForm& f) { f.CancelEdgeDrag(); }},
  };
  for (const Cause& c : causes) {
    SCOPED_TRACE(c.name);
    Attach();
    form.OnMouseDown(MouseButton::Left, ssLeft, 500, 3);
    form.OnMouseMove(ssLeft, 500, -40);
    ASSERT_EQ(host.Outline.size(), 1u) << "the outline is on the screen";
    const int ends = host.OutlineEnds;
    c.end(form);
    EXPECT_FALSE(form.Dragging());
    EXPECT_TRUE(host.OutlineErased()) << "outline left on the screen";
    EXPECT_EQ(host.OutlineEnds, ends + 1) << "screen context still held";
    EXPECT_EQ(raw.Rect_, (Rect{0, 640, 1024, 740})) << "a cancelled drag changes nothing";
    form.OnMouseMove(0, 500, -80);
    form.OnMouseUp(MouseButton::Left, 0, 500, -80);
    EXPECT_EQ(raw.Rect_, (Rect{0, 640, 1024, 740})) << "later moves and the release do not resume it";
    EXPECT_EQ(host.Outline.size(), 2u);
    CollapseByTimer();
    EXPECT_FALSE(form.IsBig()) << "auto-hide works again";
    form.SetIsBig(true);
  }
}

// The taskbar moves or the resolution changes: the panel keeps its edge and
// thickness on the new work area, expanded or collapsed, and a drag under way ends.
TEST_F(EdgeDrag, PanelFollowsTheWorkArea) {
  Attach();
  fake.Windows.Work = {0, 0, 1024, 700};  // a taller taskbar
  form.WorkAreaChanged();
  EXPECT_EQ(raw.Rect_, (Rect{0, 600, 1024, 700}));
  CollapseByTimer();
  fake.Windows.Work = {60, 0, 1280, 1024};  // taskbar on the left, a larger screen
  form.WorkAreaChanged();
  EXPECT_EQ(raw.Rect_, (Rect{60, 1021, 1280, 1024})) << "the strip follows, still collapsed";
  form.SetIsBig(true);
  EXPECT_EQ(raw.Rect_, (Rect{60, 924, 1280, 1024})) << "and expands to its thickness there";

  win.SetEdge(edge::Right);
  form.OnMouseDown(MouseButton::Left, ssLeft, 2, 300);
  form.OnMouseMove(ssLeft, -50, 300);
  fake.Windows.Work = {0, 0, 800, 600};
  form.WorkAreaChanged();
  EXPECT_FALSE(form.Dragging());
  EXPECT_TRUE(host.OutlineErased());
  EXPECT_EQ(raw.Rect_, (Rect{700, 0, 800, 600})) << "the drag measured on the old screen is dropped";
}

}  // namespace
}  // namespace korvi
