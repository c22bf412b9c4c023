#include "main/DibPicture_win.h"

#include <cstring>

namespace korvi {

COLORREF ColorRefOf(TColor c) {
  if (IsSystemColor(c)) return ::GetSysColor(static_cast<int>(static_cast<uint32_t>(c) & 0xFF));
  return static_cast<COLORREF>(c) & 0xFFFFFF;
}

namespace {
uint32_t ToDib(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
COLORREF FromDib(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
}  // namespace

std::shared_ptr<DibPicture> DibPicture::Create(int width, int height) {
  std::shared_ptr<DibPicture> p(new DibPicture());
  // A button's size comes from the settings file: refuse sizes no glyph can have
  // (more than 16 M pixels) rather than ask the system for gigabytes.
  if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > (1 << 24)) return p;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !bits) {
    if (bmp) ::DeleteObject(bmp);
    return p;
  }
  p->bitmap_ = bmp;
  p->bits_ = static_cast<uint32_t*>(bits);
  p->width_ = width;
  p->height_ = height;
  return p;
}

DibPicture::~DibPicture() {
  if (bitmap_) ::DeleteObject(bitmap_);
}

COLORREF DibPicture::PixelAt(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return FromDib(bits_[static_cast<size_t>(y) * width_ + x]);
}

void DibPicture::SetPixel(int x, int y, COLORREF c) {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  bits_[static_cast<size_t>(y) * width_ + x] = ToDib(c);
}

void DibPicture::Fill(COLORREF c) {
  if (!bits_) return;
  const uint32_t v = ToDib(c);
  const size_t n = static_cast<size_t>(width_) * height_;
  for (size_t i = 0; i < n; ++i) bits_[i] = v;
}

void DibPicture::CopyPixelsFrom(const DibPicture& other) {
  if (!bits_ || !other.bits_ || other.width_ != width_ || other.height_ != height_) return;
  std::memcpy(bits_, other.bits_, static_cast<size_t>(width_) * height_ * sizeof(uint32_t));
}

void DibPicture::Draw(HDC dc, int x, int y) const {
  if (!bitmap_) return;
  HDC mem = ::CreateCompatibleDC(dc);
  if (!mem) return;
  HGDIOBJ old = ::SelectObject(mem, bitmap_);
  if (Transparent)
    ::GdiTransparentBlt(dc, x, y, width_, height_, mem, 0, 0, width_, height_, ColorRefOf(TransparentColor));
  else
    ::BitBlt(dc, x, y, width_, height_, mem, 0, 0, SRCCOPY);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
}

}  // namespace korvi
