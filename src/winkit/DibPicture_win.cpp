#include "winkit/DibPicture_win.h"

namespace korvi {

std::shared_ptr<DibPicture> DibPicture::Create(int width, int height) {
  std::shared_ptr<DibPicture> p(new DibPicture());
  // A button's size comes from the settings file: refuse sizes no glyph can have
  // (more than 16 M pixels) rather than ask the system for gigabytes.
  if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > (1 << 24)) return p;
  if (p->bits_.SetSize(width, height)) p->Fill(RGB(0, 0, 0));
  return p;
}

DibPicture::~DibPicture() = default;

COLORREF DibPicture::PixelAt(int x, int y) const {
  if (!Inside(x, y)) return 0;
  const uint8_t* p = bits_.Row(y) + 3 * x;
  return RGB(p[2], p[1], p[0]);
}

void DibPicture::SetPixel(int x, int y, COLORREF c) {
  if (!Inside(x, y)) return;
  uint8_t* p = bits_.Row(y) + 3 * x;
  p[0] = GetBValue(c);
  p[1] = GetGValue(c);
  p[2] = GetRValue(c);
}

void DibPicture::Fill(COLORREF c) {
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) SetPixel(x, y, c);
}

void DibPicture::CopyPixelsFrom(const DibPicture& other) {
  if (other.Width() != Width() || other.Height() != Height() || Empty()) return;
  const bool transparent = bits_.Transparent;
  bits_.CopyFrom(other.bits_);
  bits_.Transparent = transparent;
}

void DibPicture::Draw(HDC dc, int x, int y) const {
  if (Empty()) return;
  BitmapDC mem(Bitmap());
  if (!mem) return;
  if (Transparent)
    ::GdiTransparentBlt(dc, x, y, Width(), Height(), mem.Get(), 0, 0, Width(), Height(), ColorRefOf(TransparentColor));
  else
    ::BitBlt(dc, x, y, Width(), Height(), mem.Get(), 0, 0, SRCCOPY);
}

}  // namespace korvi
