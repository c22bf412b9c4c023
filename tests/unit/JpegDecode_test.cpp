// The JPEG decoder against ImageMagick's decode of the same files (made by
// tests/fixtures/make-glyph-fixtures.sh at build time), and against damage.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

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

}  // namespace
}  // namespace korvi
