// Keeping every window reachable: gathering all desktops onto the shown one, desktop
// counts that keep positions within 16 bits, and a virtual screen of two monitors.
#include <gtest/gtest.h>

#include <optional>

#include "main/main.h"
#include "support/FakePlatform.h"

namespace korvi {
namespace {

class Gathering : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  SharedState data;
  TWinListDialog winList{fake.Windows};
  TForm1 form{data, fake.Ref, winList};
  PagerDesktops desktops{data, fake.Ref, winList};

  void SetUp() override {
    data.DesktopCount = 4;
    data.CurrentDesktop = 1;
  }
  Rect At(WindowHandle h) { return fake.Windows.Get(h).Bounds; }
  // Every switch keeps every edge within what 16-bit positions hold.
  void ExpectMovesWithin16Bits() {
    for (const auto& m : fake.Windows.Moves) {
      EXPECT_GE(m.Bounds.Left, kMinCoord);
      EXPECT_LE(m.Bounds.Right, kMaxCoord);
    }
  }
};

TEST_F(Gathering, EveryDesktopComesOntoTheShownOneAtItsOwnPlace) {
  struct Case {
    Rect before, after;
  };
  const Case cases[] = {
      {{100, 5, 400, 300}, {100, 5, 400, 300}},               // on the shown desktop
      {{-50, 5, 250, 300}, {-50, 5, 250, 300}},               // partly shown: stays
      {{1024 + 100, 5, 1024 + 400, 300}, {100, 5, 400, 300}}, // desktop 2
      {{3 * 1024 + 7, 0, 3 * 1024 + 107, 9}, {7, 0, 107, 9}}, // desktop 4
      {{-1024 + 30, 0, -1024 + 130, 9}, {30, 0, 130, 9}},     // left of the shown desktop
      {{-500, 0, 0, 9}, {524, 0, 1024, 9}},                   // right edge exactly on the left edge
      {{1024, 0, 1100, 9}, {0, 0, 76, 9}},                    // left edge exactly on the right edge
  };
  std::vector<WindowHandle> h;
  for (const Case& c : cases) h.push_back(fake.Windows.Add(c.before));
  WindowHandle own = fake.Windows.Add({2000, 668, 3024, 768}, "Korvi");
  WindowHandle iconic = fake.Windows.Add({5000, 0, 5100, 9}, "", true, /*iconic=*/true);
  form.OwnWindow = own;
  form.GatherAll();
  for (size_t i = 0; i < h.size(); ++i) EXPECT_EQ(At(h[i]), cases[i].after) << "case " << i;
  EXPECT_EQ(At(own).Left, 2000) << "the pager's own window never moves";
  EXPECT_EQ(At(iconic).Left, 5000) << "a minimised window is left to the system";
  EXPECT_EQ(data.CurrentDesktop, 1);
  const size_t moves = fake.Windows.Moves.size();
  form.GatherAll();
  EXPECT_EQ(fake.Windows.Moves.size(), moves) << "gathered windows are not moved again";
}

TEST_F(Gathering, CountsThatFitSixteenBitPositions) {
  struct Case {
    Rect virtualScreen;
    int32_t fit;
  };
  const Case cases[] = {
      {{0, 0, 1024, 768}, 10},   {{0, 0, 1920, 1080}, 10}, {{0, 0, 3276, 1080}, 10},
      {{0, 0, 3277, 1080}, 9},   {{0, 0, 3840, 1080}, 8},  {{0, 0, 7680, 2160}, 4},
      {{-1920, 0, 1920, 1080}, 9}, {{0, 0, 40000, 100}, 1}, {{0, 0, 0, 0}, 10},
  };
  for (const Case& c : cases) EXPECT_EQ(PagerDesktops::FittingFor(c.virtualScreen), c.fit) << c.virtualScreen.Right;
}

TEST_F(Gathering, WideScreenRunsTheCountThatFitsAndKeepsTheFilesCount) {
  fake.Windows.Screen = fake.Windows.Work = {0, 0, 3840, 1080};
  PagerSettings s;
  s.DesktopCount = 10;
  desktops.Apply(s);
  EXPECT_EQ(desktops.Count(), 8);
  EXPECT_FALSE(desktops.Change(9, 0)) << "a desktop beyond the fitting count is not shown";
  PagerSettings out;
  desktops.Snapshot(out);
  EXPECT_EQ(out.DesktopCount, 10) << "the file keeps what it asked for";
  desktops.SetCount(3);
  desktops.Snapshot(out);
  EXPECT_EQ(out.DesktopCount, 3) << "until the user picks another";
}

TEST_F(Gathering, VisitingEveryDesktopOfAWideScreenBringsEveryWindowHome) {
  fake.Windows.Screen = fake.Windows.Work = {0, 0, 3840, 1080};
  PagerSettings s;
  s.DesktopCount = 10;
  desktops.Apply(s);
  const int32_t n = desktops.Count();
  std::vector<WindowHandle> h;
  std::vector<Rect> home;
  for (int d = 1; d <= n; ++d) {  // one window on each desktop, one hanging off its right edge
    home.push_back({(d - 1) * 3840 + 100, 0, (d - 1) * 3840 + 600, 500});
    h.push_back(fake.Windows.Add(home.back()));
  }
  WindowHandle hanging = fake.Windows.Add({3700, 0, 4200, 500});
  for (int d = 2; d <= n; ++d) desktops.Change(d, 0);
  for (int d = n - 1; d >= 1; --d) desktops.Change(d, 0);
  ExpectMovesWithin16Bits();
  for (size_t i = 0; i < h.size(); ++i) EXPECT_EQ(At(h[i]), home[i]) << "desktop " << i + 1;
  EXPECT_EQ(At(hanging).Left, 3700);
}

TEST_F(Gathering, ShiftKeepsAWindowHangingOutOfItsDesktopWithin16Bits) {
  fake.Windows.Screen = {0, 0, 3640, 1080};  // 9 desktops fit: 9 x 3640 = 32760
  WindowHandle a = fake.Windows.Add({-3700, 0, -3200, 50});  // beyond the left of desktop 1
  data.DesktopCount = 9;
  form.ChangeDesktop(9);
  EXPECT_EQ(At(a), (Rect{kMinCoord, 0, kMinCoord + 500, 50}));
  ExpectMovesWithin16Bits();
}

TEST_F(Gathering, TwoMonitorsSwitchAsOneBand) {
  // The primary monitor 0..1920 and a second one to its right, 1920..3840.
  fake.Windows.Screen = fake.Windows.Work = {0, 0, 1920, 1080};
  fake.Windows.Virtual = {0, 0, 3840, 1080};
  WindowHandle primary = fake.Windows.Add({100, 0, 600, 500});
  WindowHandle second = fake.Windows.Add({2000, 0, 2500, 500});
  WindowHandle desk2 = fake.Windows.Add({3840 + 2000, 0, 3840 + 2500, 500});
  form.ChangeDesktop(2);
  EXPECT_EQ(At(primary).Left, 100 - 3840);
  EXPECT_EQ(At(second).Left, 2000 - 3840) << "a window on the second monitor goes with its desktop";
  EXPECT_EQ(At(desk2).Left, 2000) << "desktop 2 shows on the second monitor";
  form.ChangeDesktop(1);
  EXPECT_EQ(At(second).Left, 2000);
  form.ChangeDesktop(2);
  form.GatherAll();
  EXPECT_EQ(At(primary).Left, 100);
  EXPECT_EQ(At(second).Left, 2000) << "gathering uses the virtual screen's edges";
  EXPECT_EQ(At(desk2).Left, 2000);
}

TEST_F(Gathering, EveryWindowOffTheScreenCarriesItsDesktopAndPlace) {
  WindowHandle home = fake.Windows.Add({100, 7, 400, 300});
  WindowHandle third = fake.Windows.Add({2 * 1024 + 50, 9, 2 * 1024 + 150, 99});
  form.ChangeDesktop(2);
  EXPECT_EQ(fake.Windows.Homes[home], (HomeRecord{1, 100, 7}));
  EXPECT_EQ(fake.Windows.Homes[third], (HomeRecord{3, 50, 9}));
  form.ChangeDesktop(3);
  EXPECT_EQ(fake.Windows.Homes.count(third), 0u) << "shown: no record";
  EXPECT_EQ(fake.Windows.Homes[home], (HomeRecord{1, 100, 7}));
  form.GatherAll();
  EXPECT_TRUE(fake.Windows.Homes.empty()) << "gathered windows have no record left";
  // A pager ending between a move and its record must not leave a window away unrecorded:
  // every move here takes a window off the screen (its record comes first) or brings one
  // home (its record stays until the move is asked).
  for (const auto& m : fake.Windows.Moves) EXPECT_TRUE(m.Recorded) << "a move to " << m.Bounds.Left;
}

TEST_F(Gathering, AMinimisedWindowAlwaysRestoresOntoTheDesktopOnShow) {
  struct Case {
    const char* name;
    Rect restored, after;  // after a switch, and after gathering
    bool answers = true;   // its program takes a restore place
  };
  const Case cases[] = {
      {"restores onto the screen: stays", {100, 5, 400, 300}, {100, 5, 400, 300}},
      {"minimised on desktop 2", {1024 + 100, 5, 1024 + 400, 300}, {100, 5, 400, 300}},
      {"minimised on desktop 4", {3 * 1024 + 7, 0, 3 * 1024 + 107, 9}, {7, 0, 107, 9}},
      {"left of the screen", {-1024 + 30, 0, -1024 + 130, 9}, {30, 0, 130, 9}},
      {"right edge exactly on the left edge", {-500, 0, 0, 9}, {524, 0, 1024, 9}},
      {"its program does not answer", {1024 + 100, 5, 1024 + 400, 300}, {1024 + 100, 5, 1024 + 400, 300}, false},
  };
  for (int step = 0; step < 2; ++step) {
    std::vector<WindowHandle> h;
    for (const Case& c : cases) {
      h.push_back(fake.Windows.Add({-32000, -32000, -31840, -31973}, c.name, true, /*iconic=*/true));
      fake.Windows.Get(h.back()).Restored = c.restored;
      fake.Windows.Homes[h.back()] = {2, 1, 1};  // recorded before it was minimised
      fake.Windows.Get(h.back()).Answers = c.answers;
    }
    if (step == 0) form.ChangeDesktop(3);
    else form.GatherAll();
    for (size_t i = 0; i < h.size(); ++i) {
      const auto& w = fake.Windows.Get(h[i]);
      EXPECT_EQ(w.Restored, cases[i].after) << cases[i].name << (step ? ", gathered" : ", switched");
      EXPECT_TRUE(w.Iconic) << "it stays minimised";
      EXPECT_EQ(w.Bounds.Left, -32000) << "only its restore place changes";
      EXPECT_EQ(fake.Windows.Homes.count(h[i]), cases[i].restored == cases[i].after ? 1u : 0u)
          << cases[i].name << ": a record comes off only once the window was brought on";
      fake.Windows.Get(h[i]).Alive = false;
    }
  }
  WindowHandle own = fake.Windows.Add({0, 0, 10, 10}, "Korvi", true, true);
  fake.Windows.Get(own).Restored = {5000, 0, 5100, 9};
  form.OwnWindow = own;
  form.GatherAll();
  EXPECT_EQ(fake.Windows.Get(own).Restored.Left, 5000) << "the pager's own window stays";
}

TEST(RestorePlace, RecordsAreBelievedOnlyWhenTheyBringTheWindowOnTheScreen) {
  const Rect screen{0, 0, 1024, 768};
  struct Case {
    const char* name;
    Rect at;
    HomeRecord home;
    std::optional<Rect> place;
  };
  const Case cases[] = {
      {"off to the right", {2148, 5, 2248, 55}, {3, 100, 5}, Rect{100, 5, 200, 55}},
      {"off to the left", {-1924, 5, -1824, 55}, {1, 100, 5}, Rect{100, 5, 200, 55}},
      {"still shown, its move not landed", {100, 5, 200, 55}, {2, 100, 5}, Rect{100, 5, 200, 55}},
      {"record off the screen: stepped", {2148, 5, 2248, 55}, {3, 5000, 5}, Rect{100, 5, 200, 55}},
      {"record off, window shown: stays", {10, 5, 110, 55}, {3, -5000, 5}, std::nullopt},
      {"right edge exactly 0: stepped", {-100, 5, 0, 55}, {1, -300, 5}, Rect{924, 5, 1024, 55}},
  };
  for (const Case& c : cases) EXPECT_EQ(TWinListDialog::PlaceToRestore(c.at, c.home, screen), c.place) << c.name;
  EXPECT_EQ(TWinListDialog::PlaceToRestore({0, 0, 1, 1}, {}, {0, 0, 0, 0}), std::nullopt) << "no screen";
}

}  // namespace
}  // namespace korvi
