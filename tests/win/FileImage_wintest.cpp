// Glyph loading against real files and the real shell: ImageMagick's pictures, the
// system's own icons, a cursor and metafiles made here, and a corpus of damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "TestFiles_win.h"
#include "buttons/FileImage_win.h"

#include <shellapi.h>

namespace korvi {
namespace {

using test::Buf;

// The rows of a bitmap as ImageMagick's raw "bgr:" output lays them out.
Buf PixelsOf(const DibBitmap& b) {
  Buf out;
  GdiFlush();
  for (int32_t y = 0; y < b.Height(); ++y) out.insert(out.end(), b.Row(y), b.Row(y) + 3 * b.Width());
  return out;
}

std::size_t Differences(const Buf& a, const Buf& b) {
  if (a.size() != b.size()) return std::max(a.size(), b.size());
  std::size_t n = 0;
  for (std::size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}

std::string SystemFile(const char* name) {
  char dir[MAX_PATH] = {};
  GetSystemDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

class FileImageTest : public ::testing::Test {
 protected:
  FileImage images;
  test::TempFolder temp;

  // The fallback picture as the resource holds it, read independently of FileImage.
  static Buf FallbackPixels() {
    HBITMAP res = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), "IUNKNOWN", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!res) return {};
    DibBitmap copy;
    copy.SetSize(32, 32);
    BitmapDC to(copy.Handle()), from(res);
    BitBlt(to.Get(), 0, 0, 32, 32, from.Get(), 0, 0, SRCCOPY);
    DeleteObject(res);
    return PixelsOf(copy);
  }
  bool IsFallback(const DibBitmap& b) {
    static const Buf fallback = FallbackPixels();
    return b.Width() == 32 && b.Height() == 32 && !fallback.empty() && PixelsOf(b) == fallback;
  }
  Buf LoadPixels(const std::string& file, int32_t index = 0) { return PixelsOf(images.LoadGlyph(file, index)); }
};

TEST_F(FileImageTest, FallbackPictureIsThe32By32Resource) {
  ASSERT_FALSE(FallbackPixels().empty()) << "IUNKNOWN bitmap resource missing from the program";
  DibBitmap& g = images.LoadGlyph(temp / "missing.bmp", 0);
  EXPECT_FALSE(images.Succeeded());
  EXPECT_TRUE(IsFallback(g));
  EXPECT_EQ(g.Pixel(0, 31), RGB(128, 128, 0)) << "olive bottom-left: the colour glyph drawing leaves out";
}

TEST_F(FileImageTest, JpegsDecodeExactlyAsImageMagickDoes) {
  for (const char* name : {"sub420", "sub444", "progressive", "gray"}) {
    SCOPED_TRACE(name);
    DibBitmap& g = images.LoadGlyph(test::Fixture(std::string(name) + ".jpg"), 0);
    ASSERT_TRUE(images.Succeeded());
    EXPECT_EQ(g.Width(), 61);
    EXPECT_EQ(g.Height(), 47);
    EXPECT_EQ(Differences(PixelsOf(g), test::ReadBytes(test::Fixture(std::string(name) + ".bgr"))), 0u);
  }
}

TEST_F(FileImageTest, ExtensionIsCaseBlind) {
  Buf expected = test::ReadBytes(test::Fixture("sub420.bgr"));
  EXPECT_EQ(Differences(LoadPixels(test::Fixture("PHOTO.JPG")), expected), 0u);
  EXPECT_TRUE(images.Succeeded());
  // The same JPEG under the other names of the format.
  for (const char* ext : {".jpe", ".JPEG", ".Jpg"}) {
    const std::string copy = temp / (std::string("photo") + ext);
    ASSERT_TRUE(CopyFileA(test::Fixture("sub420.jpg").c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(Differences(LoadPixels(copy), expected), 0u) << ext;
  }
}

TEST_F(FileImageTest, TruncatedJpegShowsWhatItHolds) {
  DibBitmap& g = images.LoadGlyph(test::Fixture("truncated.jpg"), 0);
  EXPECT_TRUE(images.Succeeded());
  ASSERT_EQ(g.Width(), 160);
  ASSERT_EQ(g.Height(), 120);
  Buf whole = test::ReadBytes(test::Fixture("whole.bgr")), got = PixelsOf(g);
  const std::size_t band = 160 * 16 * 3;
  EXPECT_TRUE(std::equal(got.begin(), got.begin() + band, whole.begin())) << "the top band is the picture";
}

TEST_F(FileImageTest, BmpLoadsItsPixels) {
  const std::string upper = temp / "PHOTO.BMP";
  ASSERT_TRUE(CopyFileA(test::Fixture("photo.bmp").c_str(), upper.c_str(), FALSE));
  DibBitmap& g = images.LoadGlyph(upper, 0);
  ASSERT_TRUE(images.Succeeded());
  EXPECT_EQ(g.Width(), 61);
  EXPECT_EQ(g.Height(), 47);
  EXPECT_EQ(Differences(PixelsOf(g), test::ReadBytes(test::Fixture("photo.bgr"))), 0u);
}

// Pictures and programs in a folder whose name needs another script (Cyrillic, Greek)
// give their own pictures, as the same files do under a plain name.
TEST_F(FileImageTest, FilesInAFolderNamedInAnotherScriptGiveTheirPictures) {
  const std::string folder = temp / "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0 \xCE\xB5\xCE\xB9\xCE\xBA\xCF\x8C\xCE\xBD\xCE\xB1\\";
  ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));
  const std::string shell32 = SystemFile("shell32.dll");
  struct Case {
    std::string source, name;
    int32_t index;
  };
  const Case cases[] = {{test::Fixture("photo.bmp"), "\xD1\x84\xD0\xBE\xD1\x82\xD0\xBE.bmp", 0},
                        {test::Fixture("whole.jpg"), "\xCF\x86\xCF\x89\xCF\x84\xCF\x8C.jpg", 0},
                        {shell32, "\xD0\xB7\xD0\xBD\xD0\xB0\xD1\x87\xD0\xBA\xD0\xB8.dll", 3}};
  for (const Case& c : cases) {
    const std::string copy = folder + c.name;
    ASSERT_TRUE(CopyFileW(Widen(c.source).c_str(), Widen(copy).c_str(), FALSE)) << c.name;
    const Buf original = LoadPixels(c.source, c.index);
    ASSERT_TRUE(images.Succeeded()) << c.source;
    EXPECT_EQ(LoadPixels(copy, c.index), original) << c.name;
    EXPECT_TRUE(images.Succeeded()) << c.name;
  }
  EXPECT_EQ(FileImage::CountIcons(folder + cases[2].name), FileImage::CountIcons(shell32));
}

TEST_F(FileImageTest, IconsComeOutOfTheSystemsOwnLibraries) {
  const std::string shell32 = SystemFile("shell32.dll");
  const int32_t count = FileImage::CountIcons(shell32);
  EXPECT_GT(count, 100) << "shell32.dll holds well over a hundred icons";
  EXPECT_EQ(count, static_cast<int32_t>(reinterpret_cast<UINT_PTR>(ExtractIconA(nullptr, shell32.c_str(), ~0u))));

  DibBitmap& g = images.LoadGlyph(shell32, 3);
  ASSERT_TRUE(images.Succeeded());
  EXPECT_EQ(g.Width(), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(g.Height(), GetSystemMetrics(SM_CYICON));
  Buf third = PixelsOf(g);
  EXPECT_NE(third, LoadPixels(shell32, 4)) << "another index, another icon";
  EXPECT_EQ(third, LoadPixels(SystemFile("SHELL32.DLL"), 3)) << "case-blind";
}

TEST_F(FileImageTest, MissingIconIndexFallsBackToTheShellIcon) {
  const std::string shell32 = SystemFile("shell32.dll");
  Buf shellIcon = PixelsOf(images.LoadShellIcon(shell32, 0));
  ASSERT_TRUE(images.Succeeded());
  // A negative index names no icon either: -1 would ask for the count, -2 for resource 2.
  for (int32_t index : {FileImage::CountIcons(shell32) + 5, -1, -2}) {
    Buf shown = LoadPixels(shell32, index);
    EXPECT_TRUE(images.Succeeded()) << "index " << index;
    EXPECT_EQ(shown, shellIcon) << "index " << index;
  }
}

TEST_F(FileImageTest, OtherFilesGetTheirTypesShellIconOverWhite) {
  const std::string txt = temp / "notes.txt";
  ASSERT_TRUE(test::WriteBytes(txt, {'h', 'i'}));
  DibBitmap& g = images.LoadGlyph(txt, 0);
  ASSERT_TRUE(images.Succeeded());
  EXPECT_FALSE(IsFallback(g));
  EXPECT_EQ(g.Width(), GetSystemMetrics(SM_CXICON)) << "the large icon";
  Buf px = PixelsOf(g);
  const auto white = std::count(px.begin(), px.end(), 0xFF);
  EXPECT_GT(white, 0) << "transparent parts show white";
  EXPECT_LT(white, static_cast<long>(px.size())) << "and the icon is drawn";
  EXPECT_FALSE(g.Transparent);

  SHFILEINFOA info{};
  SHGetFileInfoA(txt.c_str(), 0, &info, sizeof info, SHGFI_ICON);
  ASSERT_TRUE(info.hIcon);
  EXPECT_EQ(PixelsOf(images.IconToBitmap(info.hIcon)), px);
  DestroyIcon(info.hIcon);
}

TEST_F(FileImageTest, IconFileCountsAndLoadsItsImages) {
  EXPECT_EQ(FileImage::CountIcons(test::Fixture("three.ico")), 1) << "one icon in three sizes";
  DibBitmap& g = images.LoadGlyph(test::Fixture("three.ico"), 0);
  ASSERT_TRUE(images.Succeeded());
  EXPECT_TRUE(g.Width() == 16 || g.Width() == 32 || g.Width() == 48) << g.Width();
  EXPECT_FALSE(IsFallback(g));
  const std::string txt = temp / "plain.txt";
  test::WriteBytes(txt, {'x'});
  EXPECT_EQ(FileImage::CountIcons(txt), 0) << "a file without icons";
  EXPECT_EQ(FileImage::CountIcons(temp / "missing.exe"), 0);
}

// A 32x32 cursor file: 32-bit colour, a red 16x16 square in the middle, the rest masked out.
Buf MakeCursor() {
  const uint32_t colour = 32 * 32 * 4, mask = 32 * 4, image = 40 + colour + mask;
  Buf b(6 + 16 + image, 0);
  auto put = [&](std::size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
  };
  put(2, 2, 2);                      // type: cursor
  put(4, 1, 2);                      // one image
  b[6] = b[7] = 32;                  // 32 x 32
  put(10, 16, 2), put(12, 16, 2);    // hot spot
  put(14, image, 4), put(18, 22, 4);
  put(22, 40, 4), put(26, 32, 4), put(30, 64, 4), put(34, 1, 2), put(36, 32, 2);
  for (int y = 0; y < 32; ++y)       // rows bottom-up
    for (int x = 0; x < 32; ++x) {
      const bool inside = x >= 8 && x < 24 && y >= 8 && y < 24;
      const std::size_t p = 62 + (y * 32 + x) * 4;
      if (inside) b[p + 2] = 0xFF, b[p + 3] = 0xFF;           // opaque red
      if (!inside) b[62 + colour + y * 4 + x / 8] |= 0x80 >> (x % 8);  // masked out
    }
  return b;
}

TEST_F(FileImageTest, CursorFileIsDrawnWithItsMaskOverWhite) {
  const std::string cur = temp / "arrow.CUR";
  ASSERT_TRUE(test::WriteBytes(cur, MakeCursor()));
  DibBitmap& g = images.LoadGlyph(cur, 0);
  ASSERT_TRUE(images.Succeeded());
  ASSERT_GE(g.Width(), 32);
  const int32_t s = g.Width() / 32;  // a system may scale cursors to its cursor size
  EXPECT_EQ(g.Pixel(16 * s, 16 * s), RGB(255, 0, 0));
  EXPECT_EQ(g.Pixel(2 * s, 2 * s), RGB(255, 255, 255));
}

TEST_F(FileImageTest, IconsAreMadeFromTheCheckedBytesNotFromTheFileAgain) {
  // The loader takes bytes: no file by any name is needed, so none can be swapped in
  // between the check and the decoding.
  DibBitmap& cursor = images.LoadIconBytes(MakeCursor(), true);
  ASSERT_TRUE(images.Succeeded());
  EXPECT_EQ(cursor.Pixel(16, 16), RGB(255, 0, 0));
  EXPECT_EQ(cursor.Pixel(2, 2), RGB(255, 255, 255));

  // The file's glyph is the glyph of its bytes, of the image nearest the system's icon size.
  const std::string path = temp / "swap.ico";
  const Buf three = test::ReadBytes(test::Fixture("three.ico"));
  ASSERT_TRUE(test::WriteBytes(path, three));
  const Buf fromFile = LoadPixels(path);
  EXPECT_EQ(images.Glyph().Width(), GetSystemMetrics(SM_CXICON));
  // The file damaged after its bytes were read: those bytes still make the same picture,
  // and the damaged file itself is refused.
  ASSERT_TRUE(test::WriteBytes(path, Buf(three.begin(), three.begin() + three.size() / 2)));
  EXPECT_EQ(PixelsOf(images.LoadIconBytes(three, false)), fromFile);
  EXPECT_TRUE(IsFallback(images.LoadGlyph(path, 0)));
  EXPECT_FALSE(images.Succeeded());
  // Bytes that fail the check never reach the system.
  EXPECT_TRUE(IsFallback(images.LoadIconBytes(Buf(three.begin(), three.end() - 1), false)));
  EXPECT_FALSE(images.Succeeded());
}

TEST_F(FileImageTest, MetafilesAreDrawnAtTheirOwnSize) {
  // An EMF of 2 x 1 inches (in 0.01 mm), blue with a red left half.
  const std::string emf = temp / "shape.emf";
  RECT frame{0, 0, 5080, 2540};
  HDC rec = CreateEnhMetaFileA(nullptr, emf.c_str(), &frame, nullptr);
  ASSERT_TRUE(rec);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255)), red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{0, 0, 2 * dpi, dpi}, left{0, 0, dpi, dpi};
  FillRect(rec, &all, blue);
  FillRect(rec, &left, red);
  DeleteEnhMetaFile(CloseEnhMetaFile(rec));
  DeleteObject(blue);
  DeleteObject(red);

  DibBitmap& g = images.LoadGlyph(emf, 0);
  ASSERT_TRUE(images.Succeeded());
  EXPECT_EQ(g.Width(), 2 * dpi);
  EXPECT_EQ(g.Height(), dpi);
  EXPECT_EQ(g.Pixel(dpi / 2, dpi / 2), RGB(255, 0, 0));
  EXPECT_EQ(g.Pixel(3 * dpi / 2, dpi / 2), RGB(0, 0, 255));
}

TEST_F(FileImageTest, PlaceableWmfIsDrawnAtItsBoxSize) {
  // Record a Windows metafile, then put the placeable header (1 inch = 1440 units) in front.
  HDC rec = CreateMetaFileA(nullptr);
  ASSERT_TRUE(rec);
  SetMapMode(rec, MM_ANISOTROPIC);
  SetWindowExtEx(rec, 1440, 720, nullptr);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  RECT all{0, 0, 1440, 720};
  FillRect(rec, &all, green);
  HMETAFILE meta = CloseMetaFile(rec);
  DeleteObject(green);
  Buf body(GetMetaFileBitsEx(meta, 0, nullptr));
  GetMetaFileBitsEx(meta, static_cast<UINT>(body.size()), body.data());
  DeleteMetaFile(meta);
  Buf file(22, 0);
  const uint16_t head[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 1440, 720, 1440, 0, 0, 0};
  std::memcpy(file.data(), head, 22);
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= head[i];
  std::memcpy(file.data() + 20, &sum, 2);
  file.insert(file.end(), body.begin(), body.end());
  const std::string wmf = temp / "shape.WMF";
  ASSERT_TRUE(test::WriteBytes(wmf, file));

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  DibBitmap& g = images.LoadGlyph(wmf, 0);
  ASSERT_TRUE(images.Succeeded());
  EXPECT_EQ(g.Width(), dpi);
  EXPECT_EQ(g.Height(), dpi / 2);
  EXPECT_EQ(g.Pixel(dpi / 2, dpi / 4), RGB(0, 255, 0));
}

// A picture whose bottom-left 8x8 corner is `corner` and the rest `body`.
void Paint(DibBitmap& b, int32_t w, int32_t h, COLORREF body, COLORREF corner) {
  FileImage::FillBitmap(b, w, h, body);
  BitmapDC dc(b.Handle());
  HBRUSH brush = CreateSolidBrush(corner);
  RECT r{0, h - 8, 8, h};
  FillRect(dc.Get(), &r, brush);
  DeleteObject(brush);
}

TEST_F(FileImageTest, FitBitmapShrinksOntoTheBottomLeftColour) {
  const COLORREF body = RGB(10, 200, 30), corner = RGB(250, 5, 100);
  DibBitmap b;
  Paint(b, 64, 64, body, corner);
  images.FitBitmap(b, 32, 32);  // 49 %: 31 x 31 at (0, 0)
  ASSERT_EQ(b.Width(), 32);
  ASSERT_EQ(b.Height(), 32);
  EXPECT_TRUE(b.Transparent);
  EXPECT_EQ(b.Pixel(31, 0), corner) << "right column is background";
  EXPECT_EQ(b.Pixel(0, 31), corner) << "bottom row is background";
  EXPECT_EQ(b.Pixel(20, 10), body) << "picture from (0,0)";

  Paint(b, 100, 50, body, corner);
  images.FitBitmap(b, 48, 48);  // 47 %: 47 x 23 at (0, 12)
  EXPECT_EQ(b.Pixel(24, 11), corner) << "above the picture";
  EXPECT_EQ(b.Pixel(24, 12), body) << "first picture row";
  EXPECT_EQ(b.Pixel(24, 34), body) << "last picture row";
  EXPECT_EQ(b.Pixel(24, 35), corner) << "below the picture";
  EXPECT_EQ(b.Pixel(47, 20), corner) << "right of the picture";
}

TEST_F(FileImageTest, FitBitmapGrowsASmallPicture) {
  DibBitmap b;
  Paint(b, 16, 16, RGB(0, 0, 200), RGB(0, 0, 200));
  {
    BitmapDC dc(b.Handle());
    SetPixel(dc.Get(), 15, 0, RGB(255, 255, 0));  // top-right marker
  }
  images.FitBitmap(b, 48, 48);  // 299 %: 47 x 47 at (0, 0)
  EXPECT_EQ(b.Pixel(46, 0), RGB(255, 255, 0)) << "top-right marker scaled to the picture's edge";
  EXPECT_EQ(b.Pixel(47, 0), RGB(0, 0, 200)) << "column 47 is background";
}

TEST_F(FileImageTest, FillBitmapTakesSystemColours) {
  DibBitmap b;
  FileImage::FillBitmap(b, 5, 3, 0x8000000F);  // the button face colour
  ASSERT_EQ(b.Width(), 5);
  ASSERT_EQ(b.Height(), 3);
  EXPECT_EQ(b.Pixel(4, 2), GetSysColor(COLOR_BTNFACE));
  FileImage::FillBitmap(b, 2, 2, 0x00123456);
  EXPECT_EQ(b.Pixel(1, 1), RGB(0x56, 0x34, 0x12));
}

TEST_F(FileImageTest, GlyphSourceGivesIndependentCopies) {
  Win32GlyphSource source(images);
  PictureRef first = source.LoadGlyph(test::Fixture("sub420.jpg"), 0);
  PictureRef second = source.LoadGlyph(temp / "missing.jpg", 0);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->Width(), 61);
  EXPECT_EQ(second->Width(), 32);
  const auto& pic = static_cast<const Win32Picture&>(*first);
  EXPECT_NE(pic.Handle(), images.Glyph().Handle());
  EXPECT_EQ(Differences(PixelsOf(pic.Bitmap()), test::ReadBytes(test::Fixture("sub420.bgr"))), 0u)
      << "the next load did not overwrite the first picture";
}

// A 40 x 40 surface in a stand-in button-face colour, with a glyph drawn at (4, 4).
struct FaceSurface {
  static constexpr COLORREF kFace = RGB(0, 200, 0);
  DibBitmap pixels;
  FaceSurface() { FileImage::FillBitmap(pixels, 40, 40, kFace); }
  COLORREF At(int x, int y) {
    GdiFlush();
    return pixels.Pixel(4 + x, 4 + y);
  }
};

TEST_F(FileImageTest, GlyphsLetTheButtonFaceThroughTheirBottomLeftColour) {
  Win32GlyphSource source(images);
  const PictureRef dot = source.LoadGlyph(test::Fixture("dot.ico"), 0);
  ASSERT_EQ(dot->Width(), 32);
  const auto& glyph = static_cast<const DrawablePicture&>(*dot);
  FaceSurface enabled, disabled;
  {
    BitmapDC dc(enabled.pixels.Handle());
    glyph.Draw(dc.Get(), 4, 4);
  }
  for (POINT corner : {POINT{0, 0}, POINT{31, 0}, POINT{0, 31}, POINT{31, 31}})
    EXPECT_EQ(enabled.At(corner.x, corner.y), FaceSurface::kFace)
        << "the icon's see-through corner at " << corner.x << "," << corner.y << " shows the button face";
  EXPECT_EQ(enabled.At(15, 15), RGB(0, 0, 255)) << "the dot itself is drawn";

  {
    BitmapDC dc(disabled.pixels.Handle());
    glyph.DrawDisabled(dc.Get(), 4, 4);
  }
  EXPECT_EQ(disabled.At(0, 0), FaceSurface::kFace) << "greyed, the corners still show the face";
  EXPECT_EQ(disabled.At(15, 15), GetSysColor(COLOR_BTNSHADOW)) << "a disabled glyph is drawn in the shadow colour";
  EXPECT_EQ(disabled.At(27, 15), GetSysColor(COLOR_BTNHIGHLIGHT)) << "with the highlight one pixel right and down";

  // The fallback picture's flat background is left out too.
  const PictureRef fallback = source.LoadGlyph(temp / "missing.bmp", 0);
  FaceSurface onFace;
  {
    BitmapDC dc(onFace.pixels.Handle());
    static_cast<const DrawablePicture&>(*fallback).Draw(dc.Get(), 4, 4);
  }
  EXPECT_EQ(onFace.At(0, 31), FaceSurface::kFace) << "the fallback picture's background is see-through";
}

// Damaged, empty, huge-claiming and misnamed files: each must give the fallback picture.
class DamagedFiles : public FileImageTest {
 protected:
  void Make(const std::string& name, const Buf& bytes) { ASSERT_TRUE(test::WriteBytes(temp / name, bytes)); }
  static Buf Cut(Buf b, std::size_t n) { return b.resize(std::min(n, b.size())), b; }
  static Buf Noise(std::size_t n, uint32_t seed) {
    Buf b(n);
    for (auto& c : b) c = static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    return b;
  }
};

TEST_F(DamagedFiles, CorpusGivesTheFallbackPicture) {
  const Buf bmp = test::ReadBytes(test::Fixture("photo.bmp")), jpg = test::ReadBytes(test::Fixture("sub420.jpg"));
  const Buf ico = test::ReadBytes(test::Fixture("three.ico")), cur = MakeCursor();
  ASSERT_FALSE(bmp.empty() || jpg.empty() || ico.empty());
  for (const char* ext : {"bmp", "jpg", "jpe", "jpeg", "ico", "cur", "wmf", "emf"}) {
    Make(std::string("empty.") + ext, {});
    Make(std::string("noise.") + ext, Noise(3000, ext[0]));
    CreateDirectoryA((temp / (std::string("folder.") + ext)).c_str(), nullptr);
  }
  Make("cut-header.bmp", Cut(bmp, 30));
  Make("cut-pixels.bmp", Cut(bmp, bmp.size() - 100));
  Buf huge = bmp;
  const int32_t side = 60000;
  std::memcpy(huge.data() + 18, &side, 4);
  std::memcpy(huge.data() + 22, &side, 4);
  Make("huge.bmp", huge);
  Make("cut-header.jpg", Cut(jpg, 100));
  Buf bad = jpg;
  for (std::size_t i = 2; i < 200; i += 7) bad[i] ^= 0x5A;  // tables and frame header scrambled
  Make("scrambled.jpg", bad);
  Make("cut.ico", Cut(ico, ico.size() / 2));
  Make("cut.cur", Cut(cur, cur.size() - 10));
  Buf wrongType = ico;
  wrongType[2] = 2;
  Make("icon-as.cur", Cut(wrongType, 6 + 16));

  // Valid metafiles, then truncated copies of them.
  const std::string emf = temp / "ok.emf";
  RECT frame{0, 0, 1000, 1000};
  HDC rec = CreateEnhMetaFileA(nullptr, emf.c_str(), &frame, nullptr);
  Rectangle(rec, 0, 0, 20, 20);
  DeleteEnhMetaFile(CloseEnhMetaFile(rec));
  const Buf emfBytes = test::ReadBytes(emf);
  DeleteFileA(emf.c_str());
  Make("cut.emf", Cut(emfBytes, emfBytes.size() - 8));
  Make("header-only.emf", Cut(emfBytes, 88));
  Make("plain.wmf", Noise(18, 5));  // a metafile without the placeable header is not accepted

  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((temp.Path() + "*").c_str(), &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  int walked = 0;
  do {
    const std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    SCOPED_TRACE(name);
    DibBitmap& g = images.LoadGlyph(temp / name, 0);
    EXPECT_FALSE(images.Succeeded());
    EXPECT_TRUE(IsFallback(g));
    ++walked;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  EXPECT_GE(walked, 35);
}

TEST_F(DamagedFiles, BrokenProgramsGiveAPictureWithoutCrashing) {
  Make("noise.exe", Noise(5000, 9));
  Make("empty.dll", {});
  Buf mz = Noise(4096, 3);
  mz[0] = 'M', mz[1] = 'Z';
  const uint32_t peOffset = 0x80;
  std::memcpy(mz.data() + 0x3C, &peOffset, 4);
  std::memcpy(mz.data() + 0x80, "PE\0\0", 4);
  Make("fake-pe.exe", mz);
  for (const char* name : {"noise.exe", "empty.dll", "fake-pe.exe"}) {
    SCOPED_TRACE(name);
    DibBitmap& g = images.LoadGlyph(temp / name, 0);
    EXPECT_GT(g.Width(), 0);
    EXPECT_EQ(FileImage::CountIcons(temp / name), 0);
  }
}

}  // namespace
}  // namespace korvi
