// Glyph and caption placement in a 100 x 60 button at (10, 20); a 32 x 32 glyph and a
// 40 x 12 caption, 4 pixels apart, centred as a block.
#include <gtest/gtest.h>

#include "buttons/ButtonLayout.h"

namespace korvi {
namespace {

const Rect kButton{10, 20, 110, 80};  // centre (60, 50)
const Point kGlyph{32, 32}, kText{40, 12};

TEST(ButtonLayout, GlyphOnEachSideOfTheCaption) {
  // Left: block 76 wide from x = 22; glyph 22..54, caption 58..98.
  ButtonParts left = LayoutButton(kButton, kGlyph, kText, 0, false);
  EXPECT_EQ(left.Glyph, (Rect{22, 34, 54, 66}));
  EXPECT_EQ(left.Caption, (Rect{58, 44, 98, 56}));
  ButtonParts right = LayoutButton(kButton, kGlyph, kText, 1, false);
  EXPECT_EQ(right.Caption, (Rect{22, 44, 62, 56}));
  EXPECT_EQ(right.Glyph, (Rect{66, 34, 98, 66}));
  // Above: block 48 high from y = 26.
  ButtonParts above = LayoutButton(kButton, kGlyph, kText, 2, false);
  EXPECT_EQ(above.Glyph, (Rect{44, 26, 76, 58}));
  EXPECT_EQ(above.Caption, (Rect{40, 62, 80, 74}));
  ButtonParts below = LayoutButton(kButton, kGlyph, kText, 3, false);
  EXPECT_EQ(below.Caption, (Rect{40, 26, 80, 38}));
  EXPECT_EQ(below.Glyph, (Rect{44, 42, 76, 74}));
}

TEST(ButtonLayout, AlonePartsAreCentredWithoutGapAndPressedShiftsByOne) {
  EXPECT_EQ(LayoutButton(kButton, {0, 0}, kText, 2, false).Caption, (Rect{40, 44, 80, 56}));
  EXPECT_EQ(LayoutButton(kButton, kGlyph, {0, 0}, 0, false).Glyph, (Rect{44, 34, 76, 66}));
  EXPECT_EQ(LayoutButton(kButton, {0, 0}, kText, 0, true).Caption, (Rect{41, 45, 81, 57}));
  EXPECT_EQ(LayoutButton(kButton, kGlyph, kText, 200, false).Glyph, LayoutButton(kButton, kGlyph, kText, 0, false).Glyph)
      << "an unknown layout draws as glyph-left";
}

}  // namespace
}  // namespace korvi
