#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace korvi {

// A 24-bit top-down DIB section: the pixel store of glyphs and previews. Rows are
// reachable directly (blue, green, red), and the handle can be selected into a DC.
class DibBitmap {
 public:
  DibBitmap() = default;
  ~DibBitmap() { Clear(); }
  DibBitmap(const DibBitmap&) = delete;
  DibBitmap& operator=(const DibBitmap&) = delete;
  DibBitmap(DibBitmap&& other) noexcept { *this = static_cast<DibBitmap&&>(other); }
  DibBitmap& operator=(DibBitmap&& other) noexcept;

  // Makes the bitmap width x height (contents undefined; keeps the old pixels when the size
  // is unchanged). False, leaving it empty, for a size <= 0 or beyond kMaxPicturePixels, or
  // when the system refuses the memory.
  bool SetSize(int32_t width, int32_t height);
  void Clear();
  bool CopyFrom(const DibBitmap& other);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return bitmap_ == nullptr; }
  HBITMAP Handle() const { return bitmap_; }
  uint8_t* Row(int32_t y) { return bits_ + static_cast<std::size_t>(y) * stride_; }
  const uint8_t* Row(int32_t y) const { return bits_ + static_cast<std::size_t>(y) * stride_; }
  // 0x00BBGGRR, the COLORREF of pixel (x, y), y = 0 at the top.
  COLORREF Pixel(int32_t x, int32_t y) const;

  // The picture was laid on its own bottom-left colour (FitBitmap), which a preview
  // leaves out when drawing it. A button's glyph leaves that colour out always.
  bool Transparent = false;

 private:
  HBITMAP bitmap_ = nullptr;
  uint8_t* bits_ = nullptr;
  int32_t width_ = 0, height_ = 0;
  std::size_t stride_ = 0;
};

// A memory DC with a bitmap selected for drawing; restores and frees on scope exit.
class BitmapDC {
 public:
  explicit BitmapDC(HBITMAP bitmap);
  ~BitmapDC();
  BitmapDC(const BitmapDC&) = delete;
  BitmapDC& operator=(const BitmapDC&) = delete;
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace korvi
