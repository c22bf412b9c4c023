// FitBitmap's scale and placement, and the loader a file name selects.
#include <gtest/gtest.h>

#include "buttons/FileImage.h"

namespace korvi {
namespace {

TEST(FitPlacement, ShrinksToLargestWholePercentBelowTheBox) {
  // 64x64 into 32x32: 50 % would reach the box, so 49 %, 31x31 at (0,0).
  EXPECT_EQ(ComputeFit(64, 64, 32, 32), (FitPlacement{49, 0, 0, 31, 31}));
  // 100x50 into 48x48: the width limits it to 47 %, 47x23 centred vertically.
  EXPECT_EQ(ComputeFit(100, 50, 48, 48), (FitPlacement{47, 0, 12, 47, 23}));
}

TEST(FitPlacement, GrowsAPictureThatAlreadyFits) {
  EXPECT_EQ(ComputeFit(16, 16, 48, 48), (FitPlacement{299, 0, 0, 47, 47}));
  // Exactly the box size still "fits": 99 % is the largest below it.
  EXPECT_EQ(ComputeFit(48, 48, 48, 48), (FitPlacement{99, 0, 0, 47, 47}));
}

TEST(FitPlacement, PictureHundredTimesTooLargeIsCentredAtFullSizeAndCut) {
  // 1 % of 5000 is already 50 >= 48: no percentage fits, so 100 %, left = (48 - 5000) / 2.
  EXPECT_EQ(ComputeFit(5000, 40, 48, 48), (FitPlacement{100, -2476, 4, 5000, 40}));
}

TEST(FitPlacement, ScaleStopsAtTenThousandPercent) {
  EXPECT_EQ(ComputeFit(1, 1, 500, 500), (FitPlacement{10000, 200, 200, 100, 100}));
  // An empty picture never reaches the box either.
  EXPECT_EQ(ComputeFit(0, 0, 10, 10).percent, 10000);
}

TEST(FitPlacement, HugeSourceDoesNotOverflow) {
  // 300000 * 10000 exceeds 32 bits: the scaled width must still be right.
  EXPECT_EQ(ComputeFit(300000, 1, 2'000'000'000, 2'000'000'000),
            (FitPlacement{10000, 985'000'000, 999'999'950, 30'000'000, 100}));
}

TEST(GlyphKind, ExtensionDecidesCaseBlind) {
  EXPECT_EQ(GlyphKindOf("C:\\Pics\\PHOTO.JPG"), GlyphKind::Jpeg);
  EXPECT_EQ(GlyphKindOf("a.Jpe"), GlyphKind::Jpeg);
  EXPECT_EQ(GlyphKindOf("a.jpeg"), GlyphKind::Jpeg);
  EXPECT_EQ(GlyphKindOf("a.BMP"), GlyphKind::Bitmap);
  EXPECT_EQ(GlyphKindOf("a.ico"), GlyphKind::Icon);
  EXPECT_EQ(GlyphKindOf("a.CUR"), GlyphKind::Cursor);
  EXPECT_EQ(GlyphKindOf("a.wmf"), GlyphKind::Metafile);
  EXPECT_EQ(GlyphKindOf("a.EMF"), GlyphKind::Metafile);
  EXPECT_EQ(GlyphKindOf("C:\\Windows\\NOTEPAD.EXE"), GlyphKind::ProgramIcon);
  EXPECT_EQ(GlyphKindOf("shell32.Dll"), GlyphKind::ProgramIcon);
}

TEST(GlyphKind, OtherNamesGoToTheShell) {
  EXPECT_EQ(GlyphKindOf("readme.txt"), GlyphKind::ShellIcon);
  EXPECT_EQ(GlyphKindOf("C:\\Programs\\Tool"), GlyphKind::ShellIcon) << "no extension";
  EXPECT_EQ(GlyphKindOf("C:\\pics.jpg\\readme"), GlyphKind::ShellIcon) << "a dot in the folder only";
  EXPECT_EQ(GlyphKindOf("archive.jpg.zip"), GlyphKind::ShellIcon) << "the last dot counts";
  EXPECT_EQ(GlyphKindOf(""), GlyphKind::ShellIcon);
}

}  // namespace
}  // namespace korvi
