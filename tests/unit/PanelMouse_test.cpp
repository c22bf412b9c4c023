// The mouse over the panel: the button under a point, what a click is, the hot
// button, and the keys that open the menu.
#include <gtest/gtest.h>

#include "support/PagerRig.h"

namespace korvi {
namespace {

class PanelMouse : public ::testing::Test, protected test::PagerRig {
 protected:
  void SetUp() override {
    Start("[DESKTOP]\r\nCOUNT=4\r\n");
    // Two launchers, 12 overlapping 11:
    //   11: (10,10)-(50,50)   12: (40,40)-(80,80)
    Place(11, 10, 10);
    Place(12, 40, 40);
    for (int n : {11, 12}) form.Button(n).OnClick = [this, n](TExeButton&) { clicks.push_back(n); };
  }
  void Place(int n, int x, int y) {
    TExeButton& b = form.Button(n);
    b.Enabled = b.Visible = true;
    b.Left = x;
    b.Top = y;
    b.Width = b.Height = 40;
  }
  void Click(int x, int y) {
    form.PanelMouseDown(MouseButton::Left, ssLeft, x, y);
    form.PanelMouseUp(MouseButton::Left, 0, x, y, true);
  }
  std::vector<int> clicks;
};

TEST_F(PanelMouse, LaterButtonsLieOnTopAndDisabledOnesLetTheMouseThrough) {
  EXPECT_EQ(form.ButtonAt(45, 45), 12) << "the overlap belongs to the later entry";
  EXPECT_EQ(form.ButtonAt(20, 20), 11);
  EXPECT_EQ(form.ButtonAt(49, 49), 12);
  EXPECT_EQ(form.ButtonAt(80, 80), 0) << "right and bottom edges are outside";
  form.Button(12).Enabled = false;
  EXPECT_EQ(form.ButtonAt(45, 45), 11) << "a disabled button lets the mouse through";
  form.Button(11).Visible = false;
  EXPECT_EQ(form.ButtonAt(45, 45), 0) << "a hidden one too";
  form.HoldButtons();
  EXPECT_EQ(form.ButtonAt(form.Button(1).Left + 1, form.Button(1).Top + 1), 0) << "no buttons while sliding";
}

TEST_F(PanelMouse, AClickIsAPressAndReleaseOverTheSameButton) {
  Click(20, 20);
  EXPECT_EQ(clicks, std::vector<int>{11});
  // Pressed on 11, released on 12 or outside: no click.
  form.PanelMouseDown(MouseButton::Left, ssLeft, 20, 20);
  form.PanelMouseMove(ssLeft, 60, 60);
  EXPECT_FALSE(form.ShownDown(form.Button(11))) << "drawn up while the pointer is off it";
  EXPECT_EQ(form.HotButton, 11) << "the pressed button keeps the mouse";
  form.PanelMouseUp(MouseButton::Left, 0, 60, 60, true);
  form.PanelMouseDown(MouseButton::Left, ssLeft, 20, 20);
  EXPECT_TRUE(form.ShownDown(form.Button(11)));
  form.PanelCaptureLost();
  form.PanelMouseUp(MouseButton::Left, 0, 20, 20, true);
  EXPECT_EQ(clicks, std::vector<int>{11}) << "no click after leaving the button or losing the capture";
  // A selector's click switches desktops through its handler.
  const TExeButton& two = form.Button(2);
  Click(two.Left + 3, two.Top + 3);
  EXPECT_EQ(data.CurrentDesktop, 2);
}

TEST_F(PanelMouse, BackgroundClickInsideTheWindowEndsMoveModeAndSaves) {
  const int writes = fake.Files.Writes;
  form.PanelMouseDown(MouseButton::Left, ssLeft, 300, 90);
  form.PanelMouseUp(MouseButton::Left, 0, 300, 900, false);
  EXPECT_EQ(fake.Files.Writes, writes) << "released outside the window: no click";
  form.HotButton = 12;
  form.MoveButton();
  Click(45, 45);  // lands on the panel: every button is disabled in move mode
  EXPECT_EQ(form.MovingButton, 0);
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(fake.Files.Writes, writes + 1);
}

TEST_F(PanelMouse, RightClickNamesTheHotButtonAndOpensTheMenu) {
  form.PanelMouseMove(0, 20, 20);
  EXPECT_EQ(form.HotButton, 11);
  form.PanelMouseDown(MouseButton::Right, ssRight, 45, 45);
  EXPECT_EQ(form.HotButton, 12);
  EXPECT_TRUE(form.PanelMouseUp(MouseButton::Right, 0, 45, 45, true));
  EXPECT_TRUE(clicks.empty()) << "a right click is no click";
  form.PanelMouseDown(MouseButton::Right, ssRight, 300, 90);
  EXPECT_EQ(form.HotButton, 0) << "the bare panel";
  EXPECT_TRUE(form.PanelMouseUp(MouseButton::Right, 0, 300, 90, true));
  // After a right press on the panel, moves over buttons name them again.
  form.PanelMouseMove(0, 20, 20);
  EXPECT_EQ(form.HotButton, 11);
  EXPECT_FALSE(form.PanelMouseUp(MouseButton::Left, 0, 20, 20, true));
}

TEST_F(PanelMouse, ShiftF10AndTheContextMenuKeyOpenTheMenu) {
  EXPECT_TRUE(TForm1::IsMenuKey(TForm1::vkApps, 0));
  EXPECT_TRUE(TForm1::IsMenuKey(TForm1::vkF10, ssShift));
  EXPECT_FALSE(TForm1::IsMenuKey(TForm1::vkF10, 0));
  EXPECT_FALSE(TForm1::IsMenuKey(TForm1::vkF10, ssCtrl));
  form.HotFromPointer(true, 45, 45);
  EXPECT_EQ(form.HotButton, 12);
  form.HotFromPointer(false, 45, 45);
  EXPECT_EQ(form.HotButton, 0) << "pointer away from the panel: the bare panel";
}

}  // namespace
}  // namespace korvi
