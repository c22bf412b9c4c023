// The pager window's events as the logic answers them: what is redrawn, where the
// menu opens, what F1 and the menu keys do, the hint and the places the tick
// redraws, and nothing under the mouse while the buttons are held away.
#include <gtest/gtest.h>

#include "main/ClockPanel.h"
#include "main/PagerInput.h"
#include "support/FakeGaugeCanvas.h"
#include "support/FakeSystemInfo.h"
#include "support/PagerRig.h"

namespace korvi {
namespace {

class PagerInputTest : public ::testing::Test, protected test::PagerRig {
 protected:
  void SetUp() override {
    Start("[DESKTOP]\r\nCOUNT=4\r\n");
    TExeButton& b = form.Button(11);  // a launcher at (10,10)-(50,50) with a hint
    b.Enabled = b.Visible = b.ShowHint = true;
    b.Left = b.Top = 10;
    b.Width = b.Height = 40;
    b.Hint = "Editor";
  }
  PagerInput input{form};
};

TEST_F(PagerInputTest, MenuOpensBelowTheHotButtonAtThePointerOrNearTheCorner) {
  struct Case {
    const char* what;
    bool inside;
    int32_t x, y;
    int32_t hot;
    Point at;
  } cases[] = {
      {"pointer over a button", true, 20, 20, 11, {10, 50}},
      {"pointer on the bare panel", true, 300, 90, 0, {300, 90}},
      {"pointer off the panel", false, 20, 20, 0, {4, 4}},
  };
  for (const Case& c : cases) {
    for (uint16_t key : {TForm1::vkApps, TForm1::vkF10}) {
      const PagerAnswer a = input.KeyDown(key, key == TForm1::vkF10 ? ssShift : 0, c.inside, c.x, c.y);
      EXPECT_TRUE(a.OpenMenu && a.Repaint) << c.what;
      EXPECT_EQ(form.HotButton, c.hot) << c.what;
      EXPECT_EQ(a.MenuAt, c.at) << c.what;
      EXPECT_EQ(input.SysKeyDown(key, key == TForm1::vkF10 ? ssShift : 0, c.inside, c.x, c.y).MenuAt, c.at)
          << c.what << ", with Alt";
    }
  }
  EXPECT_FALSE(input.SysKeyDown(TForm1::vkF10, 0, true, 20, 20).Handled) << "F10 alone is the system's";
  EXPECT_FALSE(input.KeyDown(TForm1::vkF10, 0, true, 20, 20).OpenMenu);
}

TEST_F(PagerInputTest, ContextMenuFromAnotherSourceOpensWhereItWasAsked) {
  const PagerAnswer a = input.ContextMenu(false, true, 30, 30);
  EXPECT_TRUE(a.OpenMenu);
  EXPECT_EQ(a.MenuAt, (Point{30, 30}));
  EXPECT_EQ(form.HotButton, 11);
  EXPECT_EQ(input.ContextMenu(true, false, 30, 30).MenuAt, (Point{4, 4})) << "from the keyboard";
}

TEST_F(PagerInputTest, F1RunsHelpAndARightReleaseOpensTheMenuThere) {
  EXPECT_FALSE(input.KeyDown(TForm1::vkF1, 0, true, 0, 0).OpenMenu);
  EXPECT_EQ(services.Log, std::vector<std::string>{"help"});
  input.MouseDown(MouseButton::Right, ssRight, 300, 90);
  const PagerAnswer up = input.MouseUp(MouseButton::Right, 0, 300, 90, true);
  EXPECT_TRUE(up.OpenMenu && up.Repaint);
  EXPECT_EQ(up.MenuAt, (Point{300, 90}));
  EXPECT_FALSE(input.MouseUp(MouseButton::Left, 0, 300, 90, true).OpenMenu);
}

TEST_F(PagerInputTest, MovesRedrawOnlyWhenTheHotButtonOrThePressedLookChanges) {
  EXPECT_TRUE(input.MouseMove(0, 20, 20).Repaint) << "onto button 11";
  EXPECT_FALSE(input.MouseMove(0, 21, 21).Repaint) << "still over it";
  EXPECT_EQ(input.HotHint().Text, "Editor");
  EXPECT_EQ(input.HotHint().Area, (Rect{10, 10, 50, 50}));
  input.MouseDown(MouseButton::Left, ssLeft, 21, 21);
  const PagerAnswer off = input.MouseMove(ssLeft, 300, 90);
  EXPECT_TRUE(off.Repaint && off.UpdateTip) << "the held button is drawn up off it";
  EXPECT_EQ(form.HotButton, 11) << "the held button keeps the mouse";
  form.HotButton = 0;
  EXPECT_EQ(input.HotHint().Text, "") << "the bare panel has no tip";
}

TEST_F(PagerInputTest, HeldButtonsTakeNoMouseAndTheTickRedrawsOnlyClocksAndGauges) {
  form.Popup1Popup(tag::NewClock);  // entry 12
  form.Button(12).Left = 200;
  EXPECT_EQ(input.LivePlaces().size(), 1u);
  input.MouseDown(MouseButton::Left, ssLeft, 20, 20);
  form.HoldButtons();
  EXPECT_EQ(form.PressedButton(), 0) << "holding forgets the press";
  EXPECT_EQ(form.ButtonAt(20, 20), 0);
  EXPECT_TRUE(input.LivePlaces().empty());
  form.ReleaseButtons();
  EXPECT_EQ(form.ButtonAt(20, 20), 11);
}

TEST_F(PagerInputTest, TheTickRedrawsOnlyTheClocksWhosePictureChanged) {
  test::FakeSystemInfo sys;
  test::FakeGaugeCanvas canvas;
  ClockPanel clocks{form, sys, canvas};
  form.AttachClocks(&clocks);
  form.Popup1Popup(tag::NewClock);  // entry 12, hh:mm
  form.Button(12).Left = 200;
  form.Timer1Timer();
  ASSERT_EQ(input.LivePlaces().size(), 1u) << "a clock's first tick draws it";
  sys.Time.Second = 30;
  form.Timer1Timer();
  EXPECT_TRUE(input.LivePlaces().empty()) << "the same minute draws nothing";
  sys.Time.Minute = 6;
  form.Timer1Timer();
  EXPECT_EQ(input.LivePlaces().size(), 1u) << "the next minute draws the clock";
  form.AttachClocks(nullptr);
}

}  // namespace
}  // namespace korvi
