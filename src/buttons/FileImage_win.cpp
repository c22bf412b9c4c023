#include "buttons/FileImage_win.h"

#include <shellapi.h>

#include <new>
#include <optional>
#include <vector>

#include "buttons/FileImage.h"
#include "buttons/JpegDecode.h"
#include "buttons/PictureCheck.h"
#include "winkit/Colors_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The whole file, or nothing when it is missing, a folder, unreadable or over the limit.
std::optional<std::vector<uint8_t>> ReadPictureFile(const std::string& fileName) {
  HANDLE f = CreateFileW(Widen(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::vector<uint8_t>> result;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(f, &size) && size.QuadPart <= static_cast<LONGLONG>(kMaxPictureFileBytes)) {
    try {
      std::vector<uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
      DWORD got = 0;
      if (bytes.empty() || (ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                            got == bytes.size()))
        result = std::move(bytes);
    } catch (const std::bad_alloc&) {
      // A large file in a fragmented 32-bit address space: no picture, not a crash.
    }
  }
  CloseHandle(f);
  return result;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

void Fill(HDC dc, int32_t width, int32_t height, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
}

// Writes the decoder's rows straight into the glyph bitmap (same layout: top-down BGR).
class GlyphTarget : public JpegTarget {
 public:
  explicit GlyphTarget(DibBitmap& bitmap) : bitmap_(bitmap) {}
  bool Allocate(int32_t width, int32_t height) override { return bitmap_.SetSize(width, height); }
  uint8_t* Row(int32_t y) override { return bitmap_.Row(y); }

 private:
  DibBitmap& bitmap_;
};

}  // namespace

FileImage::FileImage(HINSTANCE module) : module_(module ? module : GetModuleHandleA(nullptr)) {}

FileImage::~FileImage() {
  TakeIcon(nullptr, false);
  if (metafile_) DeleteEnhMetaFile(metafile_);
}

DibBitmap& FileImage::LoadGlyph(const std::string& fileName, int32_t iconIndex) {
  ok_ = true;
  switch (GlyphKindOf(fileName)) {
    case GlyphKind::Bitmap: ok_ = LoadBmp(fileName); break;
    case GlyphKind::Jpeg: ok_ = LoadJpeg(fileName); break;
    case GlyphKind::Icon: ok_ = LoadIconFile(fileName, false); break;
    case GlyphKind::Cursor: ok_ = LoadIconFile(fileName, true); break;
    case GlyphKind::Metafile: ok_ = LoadMetafile(fileName); break;
    case GlyphKind::ProgramIcon: ok_ = LoadProgramIcon(fileName, iconIndex); break;
    case GlyphKind::ShellIcon: ok_ = ShellIcon(fileName, 0); break;
  }
  if (!ok_) LoadFallback();
  return glyph_;
}

DibBitmap& FileImage::LoadShellIcon(const std::string& fileName, UINT flags) {
  ok_ = ShellIcon(fileName, flags);
  if (!ok_) LoadFallback();
  return glyph_;
}

DibBitmap& FileImage::IconToBitmap(HICON icon) {
  ok_ = DrawIcon(icon);
  if (!ok_) LoadFallback();
  return glyph_;
}

bool FileImage::LoadBmp(const std::string& fileName) {
  auto file = ReadPictureFile(fileName);
  if (!file) return false;
  auto size = CheckBmp(*file);
  if (!size || !glyph_.SetSize(size->width, size->height)) return false;
  glyph_.Transparent = false;
  const auto* header = reinterpret_cast<const BITMAPINFO*>(file->data() + 14);
  const uint8_t* bits = file->data() + *ReadU32(*file, 10);
  BitmapDC dc(glyph_.Handle());
  if (!dc) return false;
  Fill(dc.Get(), size->width, size->height, kWhite);  // what run-length data leaves out stays white
  // StretchDIBits reads every header form (core, info, v4, v5), top-down rows and RLE.
  const int32_t srcHeight = size->height;
  return StretchDIBits(dc.Get(), 0, 0, size->width, size->height, 0, 0, size->width, srcHeight, bits, header,
                       DIB_RGB_COLORS, SRCCOPY) != 0;
}

bool FileImage::LoadJpeg(const std::string& fileName) {
  auto file = ReadPictureFile(fileName);
  if (!file) return false;
  GlyphTarget target(glyph_);
  glyph_.Transparent = false;
  // A truncated file shows what it holds: the top of the picture, the missing rows grey.
  const JpegStatus status = DecodeJpeg(*file, target).status;
  return status == JpegStatus::Ok || status == JpegStatus::Truncated;
}

bool FileImage::LoadIconFile(const std::string& fileName, bool cursor) {
  auto file = ReadPictureFile(fileName);
  return file && IconFromBytes(*file, cursor);
}

DibBitmap& FileImage::LoadIconBytes(std::span<const uint8_t> file, bool cursor) {
  ok_ = IconFromBytes(file, cursor);
  if (!ok_) LoadFallback();
  return glyph_;
}

bool FileImage::IconFromBytes(std::span<const uint8_t> file, bool cursor) {
  // The icon is made from the very bytes that were checked: the file is not opened again,
  // so whatever takes its place on disk after the check never reaches the system's decoder.
  const IconFileType type = cursor ? IconFileType::Cursor : IconFileType::Icon;
  const auto image = ChooseIconImage(file, type, GetSystemMetrics(cursor ? SM_CXCURSOR : SM_CXICON),
                                     GetSystemMetrics(cursor ? SM_CYCURSOR : SM_CYICON));
  if (!image) return false;
  // A cursor image starts with its hot spot, which the file keeps in its directory.
  std::vector<uint8_t> bits;
  if (cursor) bits = {static_cast<uint8_t>(image->HotX), static_cast<uint8_t>(image->HotX >> 8),
                      static_cast<uint8_t>(image->HotY), static_cast<uint8_t>(image->HotY >> 8)};
  const auto from = file.begin() + static_cast<std::ptrdiff_t>(image->Offset);
  bits.insert(bits.end(), from, from + static_cast<std::ptrdiff_t>(image->Size));
  // Width and height 0: the image's own size, as the file gives it.
  HICON icon = CreateIconFromResourceEx(bits.data(), static_cast<DWORD>(bits.size()), !cursor, 0x00030000, 0, 0,
                                        LR_DEFAULTCOLOR);
  TakeIcon(icon, cursor);
  return icon != nullptr && DrawIcon(icon);
}

bool FileImage::LoadMetafile(const std::string& fileName) {
  auto file = ReadPictureFile(fileName);
  if (!file) return false;
  const int dpi = ScreenDpi();
  HENHMETAFILE meta = nullptr;
  std::optional<PictureSize> size;
  if ((size = CheckEmf(*file, dpi))) {
    meta = SetEnhMetaFileBits(static_cast<UINT>(file->size()), file->data());
  } else if ((size = CheckPlaceableWmf(*file, dpi))) {
    // The placeable header gives the picture's extent in 0.01 mm for the conversion.
    METAFILEPICT pict{MM_ANISOTROPIC, MulDiv(size->width, 2540, dpi), MulDiv(size->height, 2540, dpi), nullptr};
    meta = SetWinMetaFileBits(static_cast<UINT>(file->size() - 22), file->data() + 22, nullptr, &pict);
  }
  if (!meta) return false;
  if (metafile_) DeleteEnhMetaFile(metafile_);
  metafile_ = meta;
  if (!glyph_.SetSize(size->width, size->height)) return false;
  glyph_.Transparent = false;
  BitmapDC dc(glyph_.Handle());
  if (!dc) return false;
  Fill(dc.Get(), size->width, size->height, kWhite);  // what the metafile leaves undrawn is white
  RECT area{0, 0, size->width, size->height};
  return PlayEnhMetaFile(dc.Get(), metafile_, &area) != 0;
}

bool FileImage::LoadProgramIcon(const std::string& fileName, int32_t iconIndex) {
  // A negative index names no icon: ExtractIcon would answer -1 with the icon count (no handle)
  // and -2 with the icon of resource 2.
  if (iconIndex < 0) return ShellIcon(fileName, 0);
  HICON icon = ExtractIconW(module_, Widen(fileName).c_str(), static_cast<UINT>(iconIndex));
  if (icon == nullptr) return ShellIcon(fileName, 0);  // no icon with that index
  if (icon == reinterpret_cast<HICON>(1)) return false;  // not a program, library or icon file
  TakeIcon(icon, false);
  return DrawIcon(icon);
}

bool FileImage::ShellIcon(const std::string& fileName, UINT flags) {
  SHFILEINFOW info{};
  SHGetFileInfoW(Widen(fileName).c_str(), 0, &info, sizeof info, flags | SHGFI_ICON);
  if (!info.hIcon) return false;
  TakeIcon(info.hIcon, false);
  return DrawIcon(info.hIcon);
}

bool FileImage::DrawIcon(HICON icon) {
  ICONINFO ii{};
  if (!icon || !GetIconInfo(icon, &ii)) return false;
  BITMAP bm{};
  int32_t width = 0, height = 0;
  if (ii.hbmColor && GetObjectA(ii.hbmColor, sizeof bm, &bm)) {
    width = bm.bmWidth;
    height = bm.bmHeight;
  } else if (ii.hbmMask && GetObjectA(ii.hbmMask, sizeof bm, &bm)) {
    width = bm.bmWidth;
    height = bm.bmHeight / 2;  // a monochrome icon stacks its AND and XOR masks
  }
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  if (!glyph_.SetSize(width, height)) return false;
  glyph_.Transparent = false;
  BitmapDC dc(glyph_.Handle());
  if (!dc) return false;
  Fill(dc.Get(), width, height, kWhite);
  return DrawIconEx(dc.Get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL) != 0;
}

void FileImage::TakeIcon(HICON icon, bool cursor) {
  if (icon_ && icon_ != icon) {
    if (iconIsCursor_)
      DestroyCursor(reinterpret_cast<HCURSOR>(icon_));
    else
      DestroyIcon(icon_);
  }
  icon_ = icon;
  iconIsCursor_ = cursor;
}

void FileImage::LoadFallback() {
  glyph_.Transparent = false;
  HBITMAP res = static_cast<HBITMAP>(LoadImageA(module_, "IUNKNOWN", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP bm{};
  if (res && GetObjectA(res, sizeof bm, &bm) && glyph_.SetSize(bm.bmWidth, bm.bmHeight)) {
    BitmapDC to(glyph_.Handle()), from(res);
    BitBlt(to.Get(), 0, 0, bm.bmWidth, bm.bmHeight, from.Get(), 0, 0, SRCCOPY);
  } else if (glyph_.SetSize(32, 32)) {
    // A module without the resource still gets a 32 x 32 picture: a grey square.
    BitmapDC dc(glyph_.Handle());
    Fill(dc.Get(), 32, 32, RGB(128, 128, 128));
  }
  if (res) DeleteObject(res);
}

int32_t FileImage::CountIcons(const std::string& fileName) {
  // Index -1 asks for the number of icons instead of one of them.
  const UINT_PTR n = reinterpret_cast<UINT_PTR>(ExtractIconW(GetModuleHandleW(nullptr), Widen(fileName).c_str(), 0xFFFFFFFF));
  return n > 0x7FFFFFFF ? 0 : static_cast<int32_t>(n);
}

void FileImage::FillBitmap(DibBitmap& bitmap, int32_t width, int32_t height, uint32_t colour) {
  if (!bitmap.SetSize(width, height)) return;
  BitmapDC dc(bitmap.Handle());
  Fill(dc.Get(), width, height, ColorRefOf(static_cast<TColor>(colour)));
}

void FileImage::FitBitmap(DibBitmap& bitmap, int32_t width, int32_t height) {
  // The picture moves aside instead of being copied, and is let go afterwards: a
  // 12-megapixel photo is neither copied nor held twice.
  if (&bitmap == &scratch_) return;
  GdiFlush();
  scratch_ = static_cast<DibBitmap&&>(bitmap);
  const int32_t srcW = scratch_.Width(), srcH = scratch_.Height();
  const COLORREF background = scratch_.Empty() ? kWhite : scratch_.Pixel(0, srcH - 1);
  FillBitmap(bitmap, width, height, background);
  bitmap.Transparent = true;
  if (bitmap.Empty() || scratch_.Empty()) return;
  const FitPlacement fit = ComputeFit(srcW, srcH, width, height);
  {
    BitmapDC to(bitmap.Handle()), from(scratch_.Handle());
    // Averaging, not dropping rows: a photo shrunk to a preview keeps its detail.
    SetStretchBltMode(to.Get(), HALFTONE);
    SetBrushOrgEx(to.Get(), 0, 0, nullptr);
    StretchBlt(to.Get(), fit.left, fit.top, fit.width, fit.height, from.Get(), 0, 0, srcW, srcH, SRCCOPY);
    GdiFlush();
  }
  scratch_.Clear();
}

PictureRef Win32GlyphSource::LoadGlyph(const std::string& fileName, int iconIndex) {
  DibBitmap copy;
  copy.CopyFrom(images_.LoadGlyph(fileName, iconIndex));
  return std::make_shared<Win32Picture>(std::move(copy));
}

void Win32Picture::Draw(HDC dc, int x, int y) const {
  if (bitmap_.Empty()) return;
  BitmapDC source(bitmap_.Handle());
  if (!source) return;
  // Every glyph leaves out the colour of its bottom-left pixel, as the platform's
  // speed button draws it: the white an icon was drawn over, the flat background
  // of the fallback picture and of a fitted photo let the button face through.
  const int w = bitmap_.Width(), h = bitmap_.Height();
  ::GdiTransparentBlt(dc, x, y, w, h, source.Get(), 0, 0, w, h, bitmap_.Pixel(0, h - 1));
}

}  // namespace korvi
