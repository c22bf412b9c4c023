// Docking geometry. The work area is the 1024x768 screen less a 28-pixel taskbar at
// the bottom: (0,0)-(1024,740), right and bottom exclusive.
#include <gtest/gtest.h>

#include "panel/Docking.h"
#include "support/FakeForm.h"
#include "support/FakePlatform.h"

namespace korvi {
namespace {

const Rect kWork{0, 0, 1024, 740};

TEST(DockingGeometry, FitsEachEdgeKeepingOnlyTheThickness) {
  const Rect r{200, 300, 500, 380};  // 300 wide, 80 high
  EXPECT_EQ(FitToEdge(kWork, edge::Top, r), (Rect{0, 0, 1024, 80}));
  EXPECT_EQ(FitToEdge(kWork, edge::Bottom, r), (Rect{0, 660, 1024, 740})) << "bottom edge of the work area, not the screen";
  EXPECT_EQ(FitToEdge(kWork, edge::Left, r), (Rect{0, 0, 300, 740}));
  EXPECT_EQ(FitToEdge(kWork, edge::Right, r), (Rect{724, 0, 1024, 740}));
  EXPECT_EQ(FitToEdge(kWork, edge::None, r), r) << "a free window is not moved";
  EXPECT_EQ(FitToEdge(kWork, 9, r), r) << "an unknown code leaves the window free";
}

TEST(DockingGeometry, NegativeThicknessBecomesZeroNotInsideOut) {
  EXPECT_EQ(FitToEdge(kWork, edge::Bottom, Rect{0, 700, 1024, 690}), (Rect{0, 740, 1024, 740}));
  EXPECT_EQ(FitToEdge(kWork, edge::Right, Rect{500, 0, 480, 740}), (Rect{1024, 0, 1024, 740}));
}

TEST(DockingGeometry, ThicknessCarriesOverBetweenHorizontalAndVerticalEdges) {
  const Rect bottom{0, 640, 1024, 740};  // 100 thick
  EXPECT_EQ(ChangeEdge(kWork, edge::Bottom, edge::Right, bottom), (Rect{924, 0, 1024, 740}));
  EXPECT_EQ(ChangeEdge(kWork, edge::Bottom, edge::Top, bottom), (Rect{0, 0, 1024, 100}));
  const Rect left{0, 0, 60, 740};
  EXPECT_EQ(ChangeEdge(kWork, edge::Left, edge::Top, left), (Rect{0, 0, 1024, 60}));
  EXPECT_EQ(ChangeEdge(kWork, edge::Left, edge::Right, left), (Rect{964, 0, 1024, 740}));
}

class DockedWindowTest : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  test::FakeFormHost raw;
  DockedWindow win{raw, fake.Windows, edge::Bottom};
  void SetUp() override { fake.Windows.Work = kWork; }
};

TEST_F(DockedWindowTest, ThicknessOfBottomAndRightWindowsMovesTheInnerSide) {
  win.Refit();
  EXPECT_EQ(raw.Rect_, (Rect{0, 540, 1024, 740})) << "the 400x200 window spans the bottom edge";
  win.SetThickness(50);
  EXPECT_EQ(raw.Rect_, (Rect{0, 690, 1024, 740})) << "the outer (bottom) side stays at the edge";
  EXPECT_EQ(win.Thickness(), 50);
  win.SetEdge(edge::Right);
  EXPECT_EQ(raw.Rect_, (Rect{974, 0, 1024, 740})) << "the thickness became the width";
  win.SetThickness(80);
  EXPECT_EQ(raw.Rect_, (Rect{944, 0, 1024, 740}));
  win.SetEdge(edge::Top);
  EXPECT_EQ(raw.Rect_, (Rect{0, 0, 1024, 80}));
  win.SetThickness(30);
  EXPECT_EQ(raw.Rect_, (Rect{0, 0, 1024, 30}));
}

TEST_F(DockedWindowTest, BoundsAreFittedWhateverTheCallerAsks) {
  win.SetEdge(edge::Left);
  win.SetBounds({300, 200, 420, 260});
  EXPECT_EQ(raw.Rect_, (Rect{0, 0, 120, 740}));
  win.SetEdge(edge::None);
  win.SetBounds({300, 200, 420, 260});
  EXPECT_EQ(raw.Rect_, (Rect{300, 200, 420, 260})) << "an undocked window goes where it is put";
}

}  // namespace
}  // namespace korvi
