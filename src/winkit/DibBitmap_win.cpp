#include "winkit/DibBitmap_win.h"

#include <cstring>

#include "platform/Picture.h"

namespace korvi {

DibBitmap& DibBitmap::operator=(DibBitmap&& other) noexcept {
  if (this != &other) {
    Clear();
    bitmap_ = other.bitmap_;
    bits_ = other.bits_;
    width_ = other.width_;
    height_ = other.height_;
    stride_ = other.stride_;
    Transparent = other.Transparent;
    other.bitmap_ = nullptr;
    other.bits_ = nullptr;
    other.width_ = other.height_ = 0;
    other.stride_ = 0;
  }
  return *this;
}

void DibBitmap::Clear() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
  stride_ = 0;
}

bool DibBitmap::SetSize(int32_t width, int32_t height) {
  if (bitmap_ && width == width_ && height == height_) return true;
  Clear();
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPicturePixels) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_ || !bits) {
    Clear();
    return false;
  }
  bits_ = static_cast<uint8_t*>(bits);
  width_ = width;
  height_ = height;
  stride_ = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  return true;
}

bool DibBitmap::CopyFrom(const DibBitmap& other) {
  if (&other == this) return true;
  Transparent = other.Transparent;
  if (other.Empty()) {
    Clear();
    return true;
  }
  if (!SetSize(other.width_, other.height_)) return false;
  GdiFlush();  // drawing into the source may still be queued
  std::memcpy(bits_, other.bits_, stride_ * height_);
  return true;
}

COLORREF DibBitmap::Pixel(int32_t x, int32_t y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  const uint8_t* p = Row(y) + 3 * x;
  return RGB(p[2], p[1], p[0]);
}

BitmapDC::BitmapDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
  if (dc_ && bitmap) old_ = SelectObject(dc_, bitmap);
}

BitmapDC::~BitmapDC() {
  if (!dc_) return;
  if (old_) SelectObject(dc_, old_);
  DeleteDC(dc_);
}

}  // namespace korvi
