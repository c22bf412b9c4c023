// Auto-hide: the timer's decision, collapse and expand with the buttons held away,
// sliding, Freeze, Size and Interval. See EdgeFormRig for the set-up: a bottom panel
// (0,640)-(1024,740), 100 thick, collapsing to a 3-pixel strip.
#include "support/EdgeFormRig.h"

namespace korvi {
namespace {

using AutoHide = test::EdgeFormRig;

std::vector<int32_t> Range(int32_t from, int32_t to, int32_t step) {
  std::vector<int32_t> out;
  for (int32_t v = from; step > 0 ? v <= to : v >= to; v += step) out.push_back(v);
  return out;
}

TEST_F(AutoHide, CollapsesAtTheFirstTickThatFindsTheMouseOutsideWithNothingSinceTheLastTick) {
  Attach();
  fake.Windows.Cursor = {500, 300};
  form.TimerTick();
  EXPECT_TRUE(form.IsBig()) << "the attach counted as activity";
  form.OnKeyDown(65, 0);
  form.TimerTick();
  EXPECT_TRUE(form.IsBig()) << "a hooked event since the previous tick";
  form.OnPaint();
  form.TimerTick();
  EXPECT_FALSE(form.IsBig()) << "painting is not activity";
  EXPECT_EQ(raw.Rect_, (Rect{0, 737, 1024, 740})) << "a 3-pixel strip at the bottom edge";
}

TEST_F(AutoHide, ColumnJustRightAndRowJustBelowCountAsInside) {
  Attach(edge::Top);  // (0,0)-(1024,100)
  fake.Windows.Cursor = {500, 100};
  form.TimerTick();
  form.TimerTick();
  EXPECT_TRUE(form.IsBig()) << "row just below the panel is inside";
  fake.Windows.Cursor = {500, 101};
  form.TimerTick();
  EXPECT_FALSE(form.IsBig());

  form.SetIsBig(true);
  win.SetEdge(edge::Left);  // (0,0)-(100,740)
  fake.Windows.Cursor = {100, 300};
  form.TimerTick();
  form.TimerTick();
  EXPECT_TRUE(form.IsBig()) << "column just right of the panel is inside";
  fake.Windows.Cursor = {101, 300};
  form.TimerTick();
  EXPECT_FALSE(form.IsBig());
}

TEST_F(AutoHide, NoCollapseWhileFrozenWithAutoHideOffOrDuringADrag) {
  Attach();
  fake.Windows.Cursor = {500, 10};
  form.SetFreeze(true);
  form.TimerTick();
  form.TimerTick();
  EXPECT_TRUE(form.IsBig()) << "frozen";
  form.SetFreeze(false);

  form.SetAutoFull(false);
  form.TimerTick();
  form.TimerTick();
  EXPECT_TRUE(form.IsBig()) << "auto-hide off";
  form.SetAutoFull(true);

  form.OnMouseDown(MouseButton::Left, ssLeft, 500, 0);
  ASSERT_TRUE(form.Dragging());
  form.TimerTick();
  form.TimerTick();
  EXPECT_TRUE(form.IsBig()) << "dragging";
  form.OnMouseUp(MouseButton::Left, 0, 500, 0);
  form.TimerTick();
  EXPECT_TRUE(form.IsBig()) << "the release counts as activity";
  form.TimerTick();
  EXPECT_FALSE(form.IsBig());
}

TEST_F(AutoHide, IntervalZeroStopsTheTimerAndThePanelNeverCollapses) {
  Attach();
  form.SetInterval(0);
  EXPECT_FALSE(form.TimerRunning());
  EXPECT_EQ(host.TimerPeriod, 0) << "the window's timer is stopped";
  CollapseByTimer();
  form.TimerTick();
  EXPECT_TRUE(form.IsBig());
  form.SetInterval(-5);
  EXPECT_EQ(form.Interval(), 0);
  form.SetInterval(250);
  EXPECT_EQ(host.TimerPeriod, 250);
  CollapseByTimer();
  EXPECT_FALSE(form.IsBig());
}

TEST_F(AutoHide, TheWindowsTimerRunsOnlyWhileATickCanCollapse) {
  Attach();
  const struct {
    std::function<void()> step;
    int32_t period;
    const char* why;
  } steps[] = {
      {[&] { form.SetIsBig(false); }, 0, "collapsed: contact brings the panel out"},
      {[&] { form.SetIsBig(true); }, 1000, "expanded again"},
      {[&] { form.SetAutoFull(false); }, 0, "auto-hide off"},
      {[&] { form.SetInterval(500); }, 0, "a new period, auto-hide still off"},
      {[&] { form.SetAutoFull(true); }, 500, "auto-hide on"},
  };
  for (const auto& s : steps) {
    s.step();
    EXPECT_EQ(host.TimerPeriod, s.period) << s.why;
  }
  CollapseByTimer();
  EXPECT_FALSE(form.IsBig());
  EXPECT_EQ(host.TimerPeriod, 0) << "collapsed by the timer";
}

TEST_F(AutoHide, CollapseAndExpandSlideInTwoPixelStepsWithTheButtonsHeldAway) {
  Attach();
  form.SetIsBig(false);
  ASSERT_FALSE(host.Log.empty());
  EXPECT_EQ(host.Log.front(), "hold") << "the buttons vanish before the panel shrinks";
  std::vector<int32_t> down = Range(98, 4, -2);
  down.push_back(3);
  EXPECT_EQ(Sizes(), down);
  EXPECT_TRUE(host.ChildrenHeld);
  EXPECT_EQ(own, (std::vector<std::string>{"resize", "paint"})) << "the form hears of the new size once, after the slide";

  host.Log.clear();
  own.clear();
  form.SetIsBig(true);
  std::vector<int32_t> up = Range(5, 99, 2);
  up.push_back(100);
  EXPECT_EQ(Sizes(), up) << "back to the expanded thickness, not to some intermediate size";
  EXPECT_EQ(host.Log.back(), "release") << "the buttons come back after the slide";
  EXPECT_FALSE(host.ChildrenHeld);
  EXPECT_EQ(own, (std::vector<std::string>{"resize", "paint"}));
  EXPECT_EQ(raw.Rect_, (Rect{0, 640, 1024, 740}));
}

TEST_F(AutoHide, WithoutSmoothTheSizeChangesAtOnce) {
  Attach(edge::Right);
  form.SetSmooth(false);
  form.SetIsBig(false);
  EXPECT_EQ(Sizes(), (std::vector<int32_t>{3}));
  EXPECT_EQ(raw.Rect_, (Rect{1021, 0, 1024, 740}));
  host.Log.clear();
  form.SetIsBig(true);
  EXPECT_EQ(Sizes(), (std::vector<int32_t>{100}));
}

TEST_F(AutoHide, FreezingACollapsedPanelExpandsAtOnceEvenWhenSmooth) {
  Attach();
  CollapseByTimer();
  ASSERT_FALSE(form.IsBig());
  host.Log.clear();
  form.SetFreeze(true);
  EXPECT_TRUE(form.IsBig());
  EXPECT_EQ(Sizes(), (std::vector<int32_t>{100})) << "one step, no slide";
  EXPECT_TRUE(form.Smooth()) << "Smooth keeps its value";
  form.SetFreeze(false);
  EXPECT_TRUE(form.IsBig());
  EXPECT_FALSE(form.Freeze());
}

TEST_F(AutoHide, ExpandBringsAStayOnTopPanelToTheForeground) {
  Attach();
  form.SetIsBig(false);
  form.SetIsBig(true);
  EXPECT_EQ(std::count(host.Log.begin(), host.Log.end(), "foreground"), 0);
  host.StayOnTop = true;
  form.SetIsBig(false);
  EXPECT_EQ(std::count(host.Log.begin(), host.Log.end(), "foreground"), 0) << "collapsing does not";
  form.OnMouseMove(0, 10, 1);  // contact with the strip
  EXPECT_EQ(std::count(host.Log.begin(), host.Log.end(), "foreground"), 1);
  form.SetIsBig(true);
  EXPECT_EQ(std::count(host.Log.begin(), host.Log.end(), "foreground"), 1) << "already expanded: nothing happens";
}

TEST_F(AutoHide, SizeSetsTheThicknessToExpandToOrOfTheStrip) {
  Attach();
  form.SetSize(120);
  EXPECT_EQ(Sizes(), Range(102, 120, 2)) << "slides while expanded";
  form.SetSize(0);
  form.SetSize(-7);
  EXPECT_EQ(form.Size(), 120) << "0 and less are ignored";
  form.SetIsBig(false);
  form.SetSize(6);
  EXPECT_EQ(form.Size(), 6) << "a thicker strip";
  form.SetIsBig(true);
  EXPECT_EQ(form.Size(), 120);
  form.SetIsBig(false);
  EXPECT_EQ(form.Size(), 6) << "collapses to the new strip";
}

TEST_F(AutoHide, BeforeAttachThePropertiesAreStoredAsGiven) {
  TEdgeForm loose;
  loose.SetSize(80);
  loose.SetInterval(-1);
  loose.SetIsBig(false);
  loose.SetFreeze(false);
  EXPECT_TRUE(loose.IsBig()) << "Freeze expands even an unattached panel";
  EXPECT_EQ(loose.Size(), 80);
  EXPECT_EQ(loose.Interval(), 0);
  loose.TimerTick();
  loose.OnMouseDown(MouseButton::Left, ssLeft, 0, 0);
  EXPECT_FALSE(loose.Dragging()) << "no window: nothing to drag";
}

}  // namespace
}  // namespace korvi
