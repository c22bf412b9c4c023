// Header checks that stand between hostile picture files and the system's decoders.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "buttons/PictureCheck.h"

namespace korvi {
namespace {

using Buf = std::vector<uint8_t>;

void Put16(Buf& b, std::size_t at, uint32_t v) {
  if (b.size() < at + 2) b.resize(at + 2);
  b[at] = v & 0xFF;
  b[at + 1] = (v >> 8) & 0xFF;
}
void Put32(Buf& b, std::size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A bottom-up BMP with a 40-byte info header and zeroed pixels.
Buf MakeBmp(int32_t w, int32_t h, uint16_t bpp = 24, uint32_t compression = 0) {
  const uint32_t colours = bpp <= 8 ? (1u << bpp) : 0;
  const uint32_t off = 14 + 40 + colours * 4;
  const uint32_t stride = (static_cast<uint32_t>(w) * bpp + 31) / 32 * 4;
  Buf b(off + stride * static_cast<uint32_t>(h < 0 ? -h : h), 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, off);
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(w));
  Put32(b, 22, static_cast<uint32_t>(h));
  Put16(b, 26, 1);
  Put16(b, 28, bpp);
  Put32(b, 30, compression);
  Put32(b, 34, static_cast<uint32_t>(b.size() - off));  // the size of the pixel data
  return b;
}

TEST(CheckBmp, AcceptsWellFormedFiles) {
  EXPECT_EQ(CheckBmp(MakeBmp(32, 32)), (PictureSize{32, 32}));
  EXPECT_EQ(CheckBmp(MakeBmp(5, -3)), (PictureSize{5, 3})) << "top-down rows";
  EXPECT_EQ(CheckBmp(MakeBmp(17, 9, 8)), (PictureSize{17, 9})) << "with a palette";
  EXPECT_EQ(CheckBmp(MakeBmp(3, 3, 1)), (PictureSize{3, 3}));
}

TEST(CheckBmp, RefusesTruncatedOrLyingFiles) {
  Buf b = MakeBmp(32, 32);
  b.pop_back();
  EXPECT_FALSE(CheckBmp(b)) << "last pixel row incomplete";
  EXPECT_FALSE(CheckBmp(Buf(b.begin(), b.begin() + 20))) << "cut inside the info header";
  EXPECT_FALSE(CheckBmp({})) << "empty file";

  Buf huge = MakeBmp(4, 4);
  Put32(huge, 18, 60000);
  Put32(huge, 22, 60000);
  EXPECT_FALSE(CheckBmp(huge)) << "claims 60000 x 60000 pixels in a tiny file";

  Buf rle = MakeBmp(4, 4, 8, 1);
  Put32(rle, 18, 60000);
  Put32(rle, 22, 60000);
  EXPECT_FALSE(CheckBmp(rle)) << "run-length data cannot be size-checked, so the pixel limit must hold";
  EXPECT_TRUE(CheckBmp(MakeBmp(4, 4, 8, 1))) << "a small run-length picture is fine";
  EXPECT_FALSE(CheckBmp(MakeBmp(4, -4, 8, 1))) << "run-length pictures cannot be top-down";
  // The decoder reads as many run-length bytes as the header's image size says.
  for (uint32_t claimed : {0u, 4u * 4u + 1u, 0xFFFFFFFFu}) {
    Buf lying = MakeBmp(4, 4, 8, 1);
    Put32(lying, 34, claimed);
    EXPECT_FALSE(CheckBmp(lying)) << "run-length data said to be " << claimed << " bytes, 16 in the file";
  }
  Buf shorter = MakeBmp(4, 4, 8, 1);
  Put32(shorter, 34, 6);
  EXPECT_TRUE(CheckBmp(shorter)) << "run-length data shorter than the file holds is fine";
}

TEST(CheckBmp, RefusesImpossibleFormats) {
  Buf b = MakeBmp(8, 8);
  Put16(b, 28, 7);
  EXPECT_FALSE(CheckBmp(b)) << "7 bits per pixel";
  b = MakeBmp(8, 8);
  Put32(b, 30, 4);
  EXPECT_FALSE(CheckBmp(b)) << "embedded JPEG is not a bitmap";
  b = MakeBmp(8, 8);
  Put32(b, 10, 3);
  EXPECT_FALSE(CheckBmp(b)) << "pixels said to start inside the headers";
  b = MakeBmp(8, 8);
  Put32(b, 18, 0);
  EXPECT_FALSE(CheckBmp(b)) << "zero width";
  b = MakeBmp(8, 8, 4);
  Put32(b, 46, 17);
  EXPECT_FALSE(CheckBmp(b)) << "more palette entries than a 4-bit picture can use";
  b = MakeBmp(8, 8);
  b[1] = 'A';
  EXPECT_FALSE(CheckBmp(b)) << "no BM signature";
}

// An icon (or cursor) file with one 16x16 image of `bpp` bits.
Buf MakeIcon(uint16_t type = 1, uint16_t bpp = 32) {
  const uint32_t stride = (16u * bpp + 31) / 32 * 4, maskStride = 4;
  const uint32_t colours = bpp <= 8 ? (1u << bpp) : 0;
  const uint32_t imageSize = 40 + colours * 4 + stride * 16 + maskStride * 16;
  Buf b(6 + 16 + imageSize, 0);
  Put16(b, 2, type);
  Put16(b, 4, 1);
  b[6] = 16;
  b[7] = 16;
  Put32(b, 6 + 8, imageSize);
  Put32(b, 6 + 12, 22);
  Put32(b, 22, 40);
  Put32(b, 26, 16);
  Put32(b, 30, 32);
  Put16(b, 34, 1);
  Put16(b, 36, bpp);
  return b;
}

TEST(CheckIconFile, AcceptsIconsCursorsAndPngImages) {
  EXPECT_TRUE(CheckIconFile(MakeIcon(), IconFileType::Icon));
  EXPECT_TRUE(CheckIconFile(MakeIcon(1, 4), IconFileType::Icon));
  EXPECT_TRUE(CheckIconFile(MakeIcon(2), IconFileType::Cursor));
  EXPECT_FALSE(CheckIconFile(MakeIcon(2), IconFileType::Icon)) << "a cursor is not an icon";

  // A PNG image: the signature, then its header chunk with width and height (big-endian).
  auto makePng = [](uint32_t w, uint32_t h, const char* chunk = "IHDR") {
    Buf png(6 + 16 + 8 + 8 + 13, 0);
    Put16(png, 2, 1);
    Put16(png, 4, 1);
    Put32(png, 6 + 8, 8 + 8 + 13);
    Put32(png, 6 + 12, 22);
    const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::copy(sig, sig + 8, png.begin() + 22);
    const uint32_t fields[] = {13, 0, w, h};
    for (int i = 0; i < 4; ++i)
      for (int k = 0; k < 4; ++k) png[30 + 4 * i + k] = static_cast<uint8_t>(fields[i] >> (24 - 8 * k));
    std::copy(chunk, chunk + 4, png.begin() + 34);
    return png;
  };
  EXPECT_TRUE(CheckIconFile(makePng(256, 16), IconFileType::Icon));
  EXPECT_FALSE(CheckIconFile(makePng(5000, 5000), IconFileType::Icon)) << "a PNG icon is at most 256 square too";
  EXPECT_FALSE(CheckIconFile(makePng(16, 0), IconFileType::Icon));
  EXPECT_FALSE(CheckIconFile(makePng(16, 16, "IDAT"), IconFileType::Icon)) << "no header chunk first";
  Buf cut = makePng(16, 16);
  cut.resize(6 + 16 + 20);
  Put32(cut, 6 + 8, 20);
  EXPECT_FALSE(CheckIconFile(cut, IconFileType::Icon)) << "cut inside its header";
}

TEST(CheckIconFile, RefusesBrokenDirectoriesAndImages) {
  Buf b = MakeIcon();
  b.pop_back();
  EXPECT_FALSE(CheckIconFile(b, IconFileType::Icon)) << "image runs past the end of the file";
  b = MakeIcon();
  Put16(b, 4, 0);
  EXPECT_FALSE(CheckIconFile(b, IconFileType::Icon)) << "no images";
  b = MakeIcon();
  Put16(b, 4, 1000);
  EXPECT_FALSE(CheckIconFile(b, IconFileType::Icon)) << "directory larger than the file";
  b = MakeIcon();
  Put32(b, 6 + 12, 0xFFFFFFF0);
  EXPECT_FALSE(CheckIconFile(b, IconFileType::Icon)) << "offset wraps around";
  b = MakeIcon();
  Put32(b, 26, 5000);
  EXPECT_FALSE(CheckIconFile(b, IconFileType::Icon)) << "image header claims 5000 pixels wide";
  b = MakeIcon();
  Put32(b, 30, 31);
  EXPECT_FALSE(CheckIconFile(b, IconFileType::Icon)) << "odd doubled height";
  EXPECT_FALSE(CheckIconFile({}, IconFileType::Icon));
}

// An icon or cursor file with one square image per (side, bpp); directory entry i gives
// (i + 1, i + 2) where a cursor keeps its hot spot.
Buf MakeIconSet(uint16_t type, std::vector<std::pair<uint16_t, uint16_t>> images) {
  const std::size_t n = images.size();
  Buf b(6 + 16 * n, 0);
  Put16(b, 2, type);
  Put16(b, 4, static_cast<uint32_t>(n));
  for (std::size_t i = 0; i < n; ++i) {
    const auto [side, bpp] = images[i];
    const uint32_t size = 40 + (bpp <= 8 ? 4u << bpp : 0) + ((side * bpp + 31) / 32 * 4 + (side + 31) / 32 * 4) * side;
    const std::size_t entry = 6 + 16 * i, at = b.size();
    b[entry] = b[entry + 1] = static_cast<uint8_t>(side);  // 256 is written as 0
    Put16(b, entry + 4, static_cast<uint32_t>(i + 1));
    Put16(b, entry + 6, static_cast<uint32_t>(i + 2));
    Put32(b, entry + 8, size);
    Put32(b, entry + 12, static_cast<uint32_t>(at));
    b.resize(at + size, 0);
    Put32(b, at, 40);
    Put32(b, at + 4, side);
    Put32(b, at + 8, 2u * side);
    Put16(b, at + 12, 1);
    Put16(b, at + 14, bpp);
  }
  return b;
}

TEST(ChooseIconImage, NearestSizeThenDeepestColourThenFirst) {
  const Buf set = MakeIconSet(1, {{16, 32}, {32, 4}, {32, 32}, {48, 32}, {32, 32}, {256, 8}});
  struct Case {
    int32_t want;
    std::size_t entry;  // the directory entry chosen
  };
  for (const Case& c : {Case{32, 2}, Case{16, 0}, Case{20, 0}, Case{41, 3}, Case{200, 5}, Case{1000, 5}}) {
    const auto image = ChooseIconImage(set, IconFileType::Icon, c.want, c.want);
    ASSERT_TRUE(image) << c.want;
    EXPECT_EQ(image->Offset, *ReadU32(set, 6 + 16 * c.entry + 12)) << c.want;
    EXPECT_EQ(image->Size, *ReadU32(set, 6 + 16 * c.entry + 8)) << c.want;
    EXPECT_EQ(image->HotX, 0) << "an icon has no hot spot";
  }
  const auto big = ChooseIconImage(set, IconFileType::Icon, 256, 256);
  ASSERT_TRUE(big);
  EXPECT_EQ((PictureSize{big->Width, big->Height}), (PictureSize{256, 256}));
  EXPECT_EQ(big->BitCount, 8u);

  const auto cursor = ChooseIconImage(MakeIconSet(2, {{16, 1}, {32, 1}}), IconFileType::Cursor, 32, 32);
  ASSERT_TRUE(cursor);
  EXPECT_EQ((PictureSize{cursor->HotX, cursor->HotY}), (PictureSize{2, 3})) << "the second entry's hot spot";
  EXPECT_FALSE(ChooseIconImage(set, IconFileType::Cursor, 32, 32)) << "an icon is no cursor";
  Buf cut = set;
  cut.pop_back();
  EXPECT_FALSE(ChooseIconImage(cut, IconFileType::Icon, 32, 32)) << "a file that fails the check";
}

// An enhanced metafile: header record with a frame in 0.01 mm, then EMR_EOF.
Buf MakeEmf(int32_t frameW, int32_t frameH) {
  Buf b(88 + 20, 0);
  Put32(b, 0, 1);
  Put32(b, 4, 88);
  Put32(b, 24, 0);
  Put32(b, 28, 0);
  Put32(b, 32, static_cast<uint32_t>(frameW));
  Put32(b, 36, static_cast<uint32_t>(frameH));
  Put32(b, 40, 0x464D4520);
  Put32(b, 48, static_cast<uint32_t>(b.size()));
  Put32(b, 88, 14);
  Put32(b, 92, 20);
  return b;
}

TEST(CheckMetafile, EmfSizeComesFromItsFrame) {
  // 2540 hundredths of a millimetre is one inch: 96 pixels at 96 dpi.
  EXPECT_EQ(CheckEmf(MakeEmf(2540, 1270), 96), (PictureSize{96, 48}));
  EXPECT_EQ(CheckEmf(MakeEmf(1000, 1000), 96), (PictureSize{38, 38})) << "37.8 rounds up";
}

TEST(CheckMetafile, EmfBrokenRecordsOrAbsurdFramesAreRefused) {
  Buf b = MakeEmf(2540, 2540);
  b.resize(100);
  EXPECT_FALSE(CheckEmf(b, 96)) << "truncated: total size beyond the file";
  b = MakeEmf(2540, 2540);
  Put32(b, 92, 0);
  EXPECT_FALSE(CheckEmf(b, 96)) << "zero-sized record would loop forever";
  b = MakeEmf(2540, 2540);
  Put32(b, 88, 70);
  EXPECT_FALSE(CheckEmf(b, 96)) << "no EMR_EOF record";
  EXPECT_FALSE(CheckEmf(MakeEmf(0, 100), 96)) << "empty frame";
  EXPECT_FALSE(CheckEmf(MakeEmf(2'000'000'000, 2'000'000'000), 96)) << "frame of kilometres";
  b = MakeEmf(2540, 2540);
  b[40] = 'X';
  EXPECT_FALSE(CheckEmf(b, 96)) << "signature";
}

// A placeable metafile: Aldus header, standard header, one record, META_EOF.
Buf MakeWmf(int16_t boxW, int16_t boxH, uint16_t inch) {
  Buf b(22 + 18 + 8 + 6, 0);
  Put32(b, 0, 0x9AC6CDD7);
  Put16(b, 10, static_cast<uint16_t>(boxW));
  Put16(b, 12, static_cast<uint16_t>(boxH));
  Put16(b, 14, inch);
  Put16(b, 22, 1);
  Put16(b, 24, 9);
  Put16(b, 26, 0x300);
  Put32(b, 28, static_cast<uint32_t>((b.size() - 22) / 2));
  Put32(b, 40, 4);  // a 4-word record: SetBkMode
  Put16(b, 44, 0x0102);
  Put32(b, 48, 3);  // META_EOF
  Put16(b, 52, 0);
  return b;
}

TEST(CheckMetafile, PlaceableWmfSizeComesFromItsBox) {
  EXPECT_EQ(CheckPlaceableWmf(MakeWmf(1440, 720, 1440), 96), (PictureSize{96, 48}));
  Buf b = MakeWmf(1440, 720, 1440);
  b.resize(50);
  EXPECT_FALSE(CheckPlaceableWmf(b, 96)) << "cut before META_EOF";
  EXPECT_FALSE(CheckPlaceableWmf(MakeWmf(1440, 720, 0), 96)) << "zero units per inch";
  EXPECT_FALSE(CheckPlaceableWmf(MakeWmf(-5, 720, 1440), 96)) << "negative box";
  b = MakeWmf(1440, 720, 1440);
  Put32(b, 40, 0);
  EXPECT_FALSE(CheckPlaceableWmf(b, 96)) << "zero-sized record";
  b = MakeWmf(1440, 720, 1440);
  b[0] = 0;
  EXPECT_FALSE(CheckPlaceableWmf(b, 96)) << "not placeable";
}

}  // namespace
}  // namespace korvi
