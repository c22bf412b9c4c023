// Desktop switching over a scripted desktop, 1024 pixels wide unless a test says otherwise.
#include <gtest/gtest.h>

#include "main/main.h"
#include "support/FakePlatform.h"

namespace korvi {
namespace {

class DesktopSwitch : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  SharedState data;
  TWinListDialog winList{fake.Windows};
  TForm1 form{data, fake.Ref, winList};

  void SetUp() override {
    data.DesktopCount = 4;
    data.CurrentDesktop = 1;
    for (int d = 1; d <= kMaxDesktops; ++d) data.PanelColors[d] = 0x101010 * d;
  }
  int32_t LeftOf(WindowHandle h) { return fake.Windows.Get(h).Bounds.Left; }
};

TEST_F(DesktopSwitch, MovesWindowsByWholeScreenWidths) {
  WindowHandle a = fake.Windows.Add({100, 50, 400, 300});
  WindowHandle b = fake.Windows.Add({2148, 60, 2348, 260});
  data.DesktopCount = 4;
  form.ChangeDesktop(3);
  EXPECT_EQ(LeftOf(a), -1948) << "a window on desktop 1 lies two screens to the left";
  EXPECT_EQ(LeftOf(b), 100) << "the window of desktop 3 comes onto the screen";
  EXPECT_EQ(fake.Windows.Get(b).Bounds, (Rect{100, 60, 300, 260})) << "size and vertical position kept";
  EXPECT_EQ(data.CurrentDesktop, 3);
  form.ChangeDesktop(1);
  EXPECT_EQ(LeftOf(a), 100);
  EXPECT_EQ(LeftOf(b), 2148);
}

TEST_F(DesktopSwitch, SwitchToShownDesktopStillMovesByZeroAndReappliesColourAndWallpaper) {
  WindowHandle a = fake.Windows.Add({10, 10, 20, 20});
  data.CurrentDesktop = 2;
  data.Wallpapers[2] = "C:\\pics\\two.bmp";
  fake.Files.Files["C:\\pics\\two.bmp"] = "BM";
  form.ChangeDesktop(2);
  bool movedA = false;
  for (auto& m : fake.Windows.Moves) movedA |= m.Handle == a;
  EXPECT_TRUE(movedA) << "the move call still happens, by zero";
  EXPECT_EQ(LeftOf(a), 10);
  EXPECT_EQ(form.Color(), data.PanelColors[2]);
  EXPECT_EQ(fake.Desktop.Wallpapers, std::vector<std::string>{"C:\\pics\\two.bmp"});
}

TEST_F(DesktopSwitch, MinimisedAndHiddenWindowsStayWhereTheyAre) {
  WindowHandle hidden = fake.Windows.Add({100, 0, 200, 100}, "hidden", /*visible=*/false);
  WindowHandle iconic = fake.Windows.Add({100, 0, 200, 100}, "iconic", true, /*iconic=*/true);
  form.ChangeDesktop(2);
  EXPECT_EQ(LeftOf(hidden), 100);
  EXPECT_EQ(LeftOf(iconic), 100);
}

TEST_F(DesktopSwitch, PagerWindowItselfIsNeverMoved) {
  WindowHandle pager = fake.Windows.Add({0, 668, 1024, 768}, "Korvi");
  form.OwnWindow = pager;
  form.ChangeDesktop(2);
  EXPECT_EQ(LeftOf(pager), 0);
}

TEST_F(DesktopSwitch, FirstDesktopGathersWindowsStrandedToTheLeft) {
  // On desktop 1 a window at -3000..-2000 is stepped right twice: its right edge lands at 48.
  WindowHandle distant = fake.Windows.Add({-3000, 0, -2000, 100});
  WindowHandle edge = fake.Windows.Add({-500, 0, 0, 100});  // right edge exactly 0: no pixel shows
  WindowHandle far = fake.Windows.Add({-2548, 0, -2048, 100});  // right edge on a whole width
  data.CurrentDesktop = 1;
  form.ChangeDesktop(1);
  EXPECT_EQ(fake.Windows.Get(distant).Bounds, (Rect{-952, 0, 48, 100}));
  EXPECT_EQ(LeftOf(edge), 524);
  EXPECT_EQ(LeftOf(far), 524);
}

TEST_F(DesktopSwitch, LastDesktopGathersWindowsStrandedToTheRight) {
  data.DesktopCount = 2;
  data.CurrentDesktop = 2;
  WindowHandle distant = fake.Windows.Add({2100, 0, 2200, 100});
  WindowHandle edge = fake.Windows.Add({1024, 0, 1100, 100});  // left edge exactly W: no pixel shows
  form.ChangeDesktop(2);
  EXPECT_EQ(LeftOf(distant), 52);
  EXPECT_EQ(LeftOf(edge), 0);
}

TEST_F(DesktopSwitch, OnlyTheTopmost127WindowsAreRecordedAndMoved) {
  std::vector<WindowHandle> all;
  for (int i = 0; i < 200; ++i) all.push_back(fake.Windows.Add({100, i, 200, i + 10}));
  form.ChangeDesktop(2);
  for (int i = 0; i < 200; ++i)
    EXPECT_EQ(LeftOf(all[i]), i < 127 ? 100 - 1024 : 100) << "window " << i << " in Z-order";
}

TEST_F(DesktopSwitch, OutOfRangeDesktopDoesNothing) {
  WindowHandle a = fake.Windows.Add({100, 0, 200, 100});
  form.ChangeDesktop(0);
  form.ChangeDesktop(11);
  EXPECT_EQ(LeftOf(a), 100);
  EXPECT_TRUE(fake.Windows.Moves.empty());
  EXPECT_EQ(data.CurrentDesktop, 1);
}

TEST_F(DesktopSwitch, WallpaperNamingNoFileChangesNothing) {
  data.Wallpapers[2] = "C:\\missing.bmp";
  form.ChangeDesktop(2);
  data.Wallpapers[3] = "";
  form.ChangeDesktop(3);
  EXPECT_TRUE(fake.Desktop.Wallpapers.empty());
}

TEST_F(DesktopSwitch, WindowClosedBeforeItsMoveIsSkippedQuietly) {
  WindowHandle a = fake.Windows.Add({100, 0, 200, 100});
  winList.Load();
  fake.Windows.Get(a).Alive = false;
  winList.MoveWindowInfo(1, 2, 2);
  EXPECT_EQ(winList.Entry(2).Left, 100 - 1024) << "the entry keeps the computed coordinates";
}

// Moves land late here (LaggingMoves), as a busy program's do: the switch must still
// put every window at home + (k - c) x W, computing nothing from places it has just
// asked windows to leave, and move each window once.
struct LateMoveCase {
  const char* name;
  int32_t count, from, to;
  int32_t left, expected;  // a window's left edge before and after (home 100, W 1024)
};

TEST_F(DesktopSwitch, WindowsEndOnTheirDesktopWhenMovesLandLate) {
  const LateMoveCase cases[] = {
      {"1 -> 3 of 3, a desktop-2 window", 3, 1, 3, 100 + 1024, 100 - 1024},
      {"1 -> 3 of 3, a desktop-3 window", 3, 1, 3, 100 + 2048, 100},
      {"3 -> 1 of 3, a desktop-2 window", 3, 3, 1, 100 - 1024, 100 + 1024},
      {"1 -> 4 (last) of 4, a desktop-3 window", 4, 1, 4, 100 + 2048, 100 - 1024},
      {"1 -> 4 (last) of 4, stranded beyond the last", 4, 1, 4, 100 + 5 * 1024, 100},
      {"4 -> 1 of 4, stranded before the first", 4, 4, 1, 100 - 5 * 1024, 100},
  };
  for (const LateMoveCase& c : cases) {
    test::FakePlatform f;
    f.Windows.LaggingMoves = true;
    SharedState d;
    d.DesktopCount = c.count;
    d.CurrentDesktop = c.from;
    TWinListDialog list{f.Windows};
    TForm1 pager{d, f.Ref, list};
    WindowHandle w = f.Windows.Add({c.left, 0, c.left + 300, 200});
    pager.ChangeDesktop(c.to);
    f.Windows.Settle();
    EXPECT_EQ(f.Windows.Get(w).Bounds.Left, c.expected) << c.name;
    EXPECT_EQ(f.Windows.Moves.size(), 1u) << c.name << ": the window is moved once, straight to its place";
  }
}

TEST(WindowTable, RootEntryAndEmptyTail) {
  test::FakeWindowSystem windows;
  windows.RootText = "whatever the root says";
  windows.Add({0, 0, 10, 10}, std::string(300, 'x'));
  TWinListDialog list(windows);
  list.Entry(5).Handle = 77;
  list.Load();
  EXPECT_EQ(list.RootWindow, test::FakeWindowSystem::kRoot);
  EXPECT_EQ(list.Entry(1).Title, "(root window)");
  EXPECT_EQ(list.Entry(1).Right, 1024);
  EXPECT_EQ(list.Entry(2).Title.size(), 127u);
  for (int i = 3; i <= kWinListSize; ++i) EXPECT_EQ(list.Entry(i).Handle, 0u) << "entry " << i;
}

TEST(WindowTable, MoveWindowInfoIgnoresBadIndexesAndEmptyEntries) {
  test::FakeWindowSystem windows;
  TWinListDialog list(windows);
  list.Load();
  list.MoveWindowInfo(1, 2, 0);
  list.MoveWindowInfo(1, 2, 129);
  list.MoveWindowInfo(1, 2, 7);  // empty entry
  EXPECT_TRUE(windows.Moves.empty());
}

}  // namespace
}  // namespace korvi
