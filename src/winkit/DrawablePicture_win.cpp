#include "winkit/DrawablePicture_win.h"

#include <cstdint>
#include <vector>

namespace korvi {

namespace {

// A 32-bit top-down DIB selected into a memory DC, for reading pixels back.
class PixelSurface {
 public:
  PixelSurface(HDC like, int w, int h) : w_(w), h_(h), dc_(::CreateCompatibleDC(like)) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bmp_ = dc_ ? ::CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bits_ = static_cast<uint32_t*>(bits);
    if (bmp_) old_ = ::SelectObject(dc_, bmp_);
  }
  ~PixelSurface() {
    if (old_) ::SelectObject(dc_, old_);
    if (bmp_) ::DeleteObject(bmp_);
    if (dc_) ::DeleteDC(dc_);
  }
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  bool Ok() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  void Fill(uint32_t rgb) {
    for (size_t i = 0, n = static_cast<size_t>(w_) * h_; i < n; ++i) bits_[i] = rgb;
  }
  uint32_t& At(int x, int y) { return bits_[static_cast<size_t>(y) * w_ + x]; }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

uint32_t ToDib(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace

void DrawablePicture::DrawDisabled(HDC dc, int x, int y) const {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  // Drawn once over black and once over white: a pixel that differs is see-through.
  PixelSurface onBlack(dc, w, h), onWhite(dc, w, h), out(dc, w + 1, h + 1);
  if (!onBlack.Ok() || !onWhite.Ok() || !out.Ok()) return;
  onBlack.Fill(0x000000);
  onWhite.Fill(0xFFFFFF);
  Draw(onBlack.Dc(), 0, 0);
  Draw(onWhite.Dc(), 0, 0);
  ::GdiFlush();
  // What lies on the button now, so that only the shape's pixels change.
  ::BitBlt(out.Dc(), 0, 0, w + 1, h + 1, dc, x, y, SRCCOPY);
  ::GdiFlush();
  std::vector<uint8_t> shape(static_cast<size_t>(w) * h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const uint32_t a = onBlack.At(i, j) & 0xFFFFFF, b = onWhite.At(i, j) & 0xFFFFFF;
      shape[static_cast<size_t>(j) * w + i] = a == b && a != 0xFFFFFF;
    }
  const uint32_t light = ToDib(::GetSysColor(COLOR_BTNHIGHLIGHT)), dark = ToDib(::GetSysColor(COLOR_BTNSHADOW));
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (shape[static_cast<size_t>(j) * w + i]) out.At(i + 1, j + 1) = light;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (shape[static_cast<size_t>(j) * w + i]) out.At(i, j) = dark;
  ::GdiFlush();
  ::BitBlt(dc, x, y, w + 1, h + 1, out.Dc(), 0, 0, SRCCOPY);
}

}  // namespace korvi
