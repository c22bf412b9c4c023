// The window picker's hit test over a scripted desktop, the position read-out and
// the window-list lines.
#include <gtest/gtest.h>

#include <functional>

#include "main/DDTransparent.h"
#include "main/FFPos.h"
#include "main/WinListItems.h"
#include "support/FakePlatform.h"

namespace korvi {
namespace {

// A picker window that "shows" by running the user's scripted actions.
class ScriptedPicker : public PickerHost {
 public:
  WindowHandle Handle() override { return Own; }
  void SetBounds(const Rect& r) override { Bounds = r; }
  void Show() override { ++Shows; }
  void Hide() override { ++Hides; }
  bool ProcessMessage() override {
    ++Messages;
    if (Messages > 100) return false;  // the program is ending
    if (User) User();
    return true;
  }
  WindowHandle Own = 0;
  Rect Bounds;
  int Shows = 0, Hides = 0, Messages = 0;
  std::function<void()> User;
};

class Picker : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  TWinListDialog winList{fake.Windows};
  TTransparentDialog picker{winList, fake.Windows};
  ScriptedPicker host;

  void SetUp() override {
    picker.AttachHost(&host);
    picker.FormCreate();
  }
  // The user moves to screen point (x, y) and clicks.
  int32_t ClickAt(int32_t x, int32_t y) {
    host.User = [=, this] {
      picker.FormMouseMove(x - host.Bounds.Left, y - host.Bounds.Top);
      picker.FormClick();
    };
    return picker.SelectWindow();
  }
};

//   100       300   400       600
//    +---------+              top (entry 2, added first = topmost)
//    |   A  +--|------+
//    +------|--+   B  |       B lies below A
//           +---------+
TEST_F(Picker, TopmostWindowUnderThePointWins) {
  WindowHandle a = fake.Windows.Add({100, 100, 300, 200}, "A");
  WindowHandle b = fake.Windows.Add({200, 150, 400, 300}, "B");
  int32_t e = ClickAt(250, 170);
  ASSERT_GT(e, 0);
  EXPECT_EQ(winList.Entry(e).Handle, a) << "both lie under the point; A is higher in Z-order";
  e = ClickAt(350, 250);
  ASSERT_GT(e, 0);
  EXPECT_EQ(winList.Entry(e).Handle, b);
  EXPECT_EQ(host.Shows, 2);
  EXPECT_EQ(host.Hides, 2);
}

TEST_F(Picker, EdgesHitOnAllFourSides) {
  WindowHandle a = fake.Windows.Add({100, 100, 300, 200}, "A");
  for (auto [x, y] : {std::pair{100, 100}, {300, 200}, {300, 150}, {200, 200}}) {
    const int32_t e = ClickAt(x, y);
    ASSERT_GT(e, 0) << x << "," << y;
    EXPECT_EQ(winList.Entry(e).Handle, a) << x << "," << y;
  }
  EXPECT_EQ(ClickAt(301, 150), 0);
  EXPECT_EQ(ClickAt(200, 201), 0);
}

TEST_F(Picker, BareDesktopAndThePickerItselfGiveZero) {
  fake.Windows.Add({100, 100, 300, 200}, "A");
  EXPECT_EQ(ClickAt(700, 600), 0) << "only the root window lies there";
  host.Own = fake.Windows.Add({0, 0, 1024, 768}, "picker");
  fake.Windows.Windows.insert(fake.Windows.Windows.begin(), fake.Windows.Windows.back());
  fake.Windows.Windows.pop_back();
  const int32_t e = ClickAt(150, 150);
  ASSERT_GT(e, 0) << "the picker is skipped and the window below it found";
  EXPECT_EQ(winList.Entry(e).Title, "A");
}

TEST_F(Picker, PlacedFiveInFromTheScreenEdgesAtEveryUse) {
  EXPECT_EQ(host.Bounds, (Rect{5, 5, 1019, 763}));
  fake.Windows.Screen = {0, 0, 800, 600};
  ClickAt(10, 10);
  EXPECT_EQ(host.Bounds, (Rect{5, 5, 795, 595}));
  EXPECT_EQ(picker.PickX, 10) << "client position plus the picker's own corner";
}

TEST_F(Picker, EndingProgramLeavesThePickerWithNothing) {
  fake.Windows.Add({0, 0, 500, 500}, "A");
  host.User = [this] { picker.FormMouseMove(10, 10); };  // moves, never clicks
  EXPECT_EQ(picker.SelectWindow(), 0);
  EXPECT_EQ(host.Hides, 1);
  EXPECT_FALSE(picker.Selecting());
}

TEST_F(Picker, PickFromInsideAPickIsDeclined) {
  int32_t inner = -1;
  host.User = [&] {
    inner = picker.SelectWindow();
    picker.FormClick();
  };
  picker.SelectWindow();
  EXPECT_EQ(inner, 0);
  EXPECT_EQ(host.Shows, 1);
}

TEST(PosForm, ShowsPositionAndSize) {
  struct Texts : PosHost {
    void ShowTexts(const std::string& a, const std::string& b) override { Shown = a + "|" + b; }
    std::string Shown;
  } host;
  TPosForm form;
  form.AttachHost(&host);
  form.Display(4, 30, 75, 25);
  EXPECT_EQ(form.Static1, "pos:  (4 , 30)");
  EXPECT_EQ(form.Static2, "size: (75 , 25)");
  EXPECT_EQ(host.Shown, "pos:  (4 , 30)|size: (75 , 25)");
  form.Display(-12, 0, 4, 4);
  EXPECT_EQ(form.Static1, "pos:  (-12 , 0)");
  EXPECT_EQ(CentredOnScreen(1024, 768, 298, 82), (Rect{363, 343, 661, 425}));
  EXPECT_EQ(CentredOnScreen(101, 100, 50, 81), (Rect{25, 9, 75, 90})) << "truncates towards zero";
  EXPECT_EQ(CentredOnScreen(100, 100, 301, 381), (Rect{0, 0, 301, 381})) << "too large: the caption stays on screen";
}

TEST(WinListLine, HexHandleThreeBlanksAndTitle) {
  TWinData e;
  e.Handle = 0x1A2B;
  e.Title = "Notepad";
  EXPECT_EQ(WinListItemCaption(e), "00001A2B   Notepad");
  e.Handle = 0xDEADBEEF;
  e.Title = "";
  EXPECT_EQ(WinListItemCaption(e), "DEADBEEF   ");
  e.Handle = 0;
  e.Title = "gone";
  EXPECT_EQ(WinListItemCaption(e), "");
}

}  // namespace
}  // namespace korvi
