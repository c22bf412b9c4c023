// The JPEG decoder against ImageMagick's decode of the same files (made by
// tests/fixtures/make-glyph-fixtures.sh at build time), and against damage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include <cstdio>  // jpeglib.h uses FILE without including it

#include <jpeglib.h>

#include "buttons/JpegDecode.h"

namespace korvi {
namespace {

using Buf = std::vector<uint8_t>;

Buf ReadFile(const std::string& name) {
  std::ifstream f(std::string(KORVI_GLYPH_FIXTURES) + "/" + name, std::ios::binary);
  return Buf(std::istreambuf_iterator<char>(f), {});
}

struct Picture : JpegTarget {
  int32_t w = 0, h = 0;
  Buf bgr;
  bool Allocate(int32_t width, int32_t height) override {
    w = width;
    h = height;
    bgr.assign(static_cast<std::size_t>(w) * h * 3, 0xEE);
    return true;
  }
  uint8_t* Row(int32_t y) override { return bgr.data() + static_cast<std::size_t>(y) * w * 3; }
};

class JpegMatchesImageMagick : public ::testing::TestWithParam<const char*> {};

TEST_P(JpegMatchesImageMagick, PixelForPixel) {
  const std::string name = GetParam();
  Buf file = ReadFile(name + ".jpg"), expected = ReadFile(name + ".bgr");
  ASSERT_FALSE(file.empty()) << "fixture " << name << ".jpg missing";
  Picture pic;
  JpegResult r = DecodeJpeg(file, pic);
  ASSERT_EQ(r.status, JpegStatus::Ok);
  EXPECT_EQ(r.warnings, 0);
  EXPECT_EQ(pic.w, 61);
  EXPECT_EQ(pic.h, 47);
  ASSERT_EQ(pic.bgr.size(), expected.size());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) differing += pic.bgr[i] != expected[i];
  EXPECT_EQ(differing, 0u) << "bytes differing from ImageMagick's decode of " << name;
}

INSTANTIATE_TEST_SUITE_P(Encodings, JpegMatchesImageMagick,
                         ::testing::Values("sub420", "sub444", "progressive", "gray"));

TEST(JpegDecode, TruncatedFileKeepsTheRowsItHas) {
  Buf whole = ReadFile("whole.bgr"), cut = ReadFile("truncated.jpg");
  ASSERT_FALSE(cut.empty());
  Picture pic;
  JpegResult r = DecodeJpeg(cut, pic);
  ASSERT_EQ(r.status, JpegStatus::Truncated);
  ASSERT_EQ(pic.w, 160);
  ASSERT_EQ(pic.h, 120);
  const std::size_t firstBand = 160 * 16 * 3;  // one MCU row of a 4:2:0 picture
  EXPECT_TRUE(std::equal(pic.bgr.begin(), pic.bgr.begin() + firstBand, whole.begin()))
      << "the decoded top of the picture equals the whole file's";
  EXPECT_FALSE(std::equal(pic.bgr.end() - firstBand, pic.bgr.end(), whole.end() - firstBand))
      << "the missing bottom cannot be the picture";
}

TEST(JpegDecode, DamagedDataFailsWithoutAllocating) {
  Buf good = ReadFile("sub420.jpg");
  ASSERT_GT(good.size(), 200u);
  struct Counting : Picture {
    int allocations = 0;
    bool Allocate(int32_t w, int32_t h) override { return ++allocations, Picture::Allocate(w, h); }
  };
  const std::vector<Buf> bad = {
      {},
      Buf(good.begin(), good.begin() + 20),   // inside the headers
      Buf(1000, 0xFF),                        // markers only
      Buf{'B', 'M', 0, 0, 0, 0},              // another format
  };
  for (const Buf& b : bad) {
    Counting pic;
    EXPECT_EQ(DecodeJpeg(b, pic).status, JpegStatus::Failed);
    EXPECT_EQ(pic.allocations, 0);
  }
}

TEST(JpegDecode, HugeDeclaredSizeIsRefusedBeforeAllocating) {
  Buf b = ReadFile("sub420.jpg");
  // Patch the frame header (SOF0: FF C0, length, precision, height, width) to 60000 x 60000.
  for (std::size_t i = 0; i + 9 < b.size(); ++i) {
    if (b[i] == 0xFF && b[i + 1] == 0xC0) {
      b[i + 5] = b[i + 7] = 0xEA;
      b[i + 6] = b[i + 8] = 0x60;
      break;
    }
  }
  Picture pic;
  EXPECT_EQ(DecodeJpeg(b, pic).status, JpegStatus::Failed);
  EXPECT_EQ(pic.w, 0) << "nothing allocated";
}

TEST(JpegDecode, TargetMayRefuseThePicture) {
  struct Refusing : Picture {
    bool Allocate(int32_t, int32_t) override { return false; }
  } pic;
  EXPECT_EQ(DecodeJpeg(ReadFile("sub444.jpg"), pic).status, JpegStatus::Failed);
}

TEST(JpegDecode, AdobeCmykMatchesImageMagicksConversion) {
  Buf file = ReadFile("cmyk.jpg"), expected = ReadFile("cmyk.bgr");
  ASSERT_FALSE(file.empty()) << "fixture cmyk.jpg missing";
  Picture pic;
  ASSERT_EQ(DecodeJpeg(file, pic).status, JpegStatus::Ok);
  ASSERT_EQ(pic.bgr.size(), expected.size());
  int worst = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) worst = std::max(worst, std::abs(pic.bgr[i] - expected[i]));
  EXPECT_LE(worst, 2) << "largest difference from ImageMagick's RGB (rounding only)";
}

// A flat 16 x 16 four-ink picture encoded by libjpeg as `space`, with or without
// Adobe's marker, from the stored samples `inks`.
Buf EncodeInks(J_COLOR_SPACE space, bool adobe, const uint8_t (&inks)[4]) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = c.image_height = 16;
  c.input_components = 4;
  c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, space);
  c.write_Adobe_marker = adobe;
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  uint8_t row[16 * 4];
  for (int x = 0; x < 16; ++x) std::copy(inks, inks + 4, row + 4 * x);
  while (c.next_scanline < 16) {
    JSAMPROW r = row;
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Buf b(out, out + size);
  std::free(out);
  return b;
}

TEST(JpegDecode, CmykAndYcckGiveTheColourOfTheirInks) {
  // Stored C, M, Y, K: no cyan, full magenta, half yellow, a quarter black, as a
  // file without the marker stores them; Adobe's files store 255 minus each.
  const uint8_t plain[4] = {0, 255, 128, 64}, inverted[4] = {255, 0, 127, 191};
  // Light let through: red (255 - 0)(255 - 64)/255, green 0, blue (255 - 128)(255 - 64)/255.
  const int red = 191, green = 0, blue = 95;
  struct Case {
    const char* name;
    J_COLOR_SPACE space;
    bool adobe;
    const uint8_t (&inks)[4];
  };
  const Case cases[] = {{"CMYK, no marker", JCS_CMYK, false, plain},
                        {"CMYK, Adobe", JCS_CMYK, true, inverted},
                        {"YCCK, Adobe", JCS_YCCK, true, inverted}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Picture pic;
    ASSERT_EQ(DecodeJpeg(EncodeInks(k.space, k.adobe, k.inks), pic).status, JpegStatus::Ok);
    ASSERT_EQ(pic.w, 16);
    EXPECT_NEAR(pic.bgr[8 * 16 * 3 + 8 * 3 + 2], red, 3);
    EXPECT_NEAR(pic.bgr[8 * 16 * 3 + 8 * 3 + 1], green, 3);
    EXPECT_NEAR(pic.bgr[8 * 16 * 3 + 8 * 3 + 0], blue, 3);
  }
}

}  // namespace
}  // namespace korvi
