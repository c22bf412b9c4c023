#include "main/ClockDraw_win.h"

namespace korvi {

GdiGaugeCanvas::GdiGaugeCanvas() : dc_(::CreateCompatibleDC(nullptr)) {
  clock_ = DibPicture::Create(0, 0);
  load_ = DibPicture::Create(0, 0);
}

GdiGaugeCanvas::~GdiGaugeCanvas() {
  if (dc_) ::DeleteDC(dc_);
}

void GdiGaugeCanvas::Size(std::shared_ptr<DibPicture>& bitmap, int width, int height) {
  if (bitmap && bitmap->Width() == width && bitmap->Height() == height && !bitmap->Empty()) return;
  bitmap = DibPicture::Create(width, height);
}

PictureRef GdiGaugeCanvas::CopyOf(const DibPicture& bitmap) {
  std::shared_ptr<DibPicture> copy = DibPicture::Create(bitmap.Width(), bitmap.Height());
  copy->CopyPixelsFrom(bitmap);
  copy->Transparent = bitmap.Transparent;
  copy->TransparentColor = bitmap.TransparentColor;
  return copy;
}

PictureRef GdiGaugeCanvas::DrawClockFace(const ClockFace& f) {
  Size(clock_, f.Width, f.Height);
  DibPicture& bmp = *clock_;
  if (bmp.Empty() || !dc_) return CopyOf(bmp);
  const COLORREF ink = ColorRefOf(f.Ink);
  bmp.Fill(ColorRefOf(f.Key));
  for (const Point& m : f.Marks)
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) bmp.SetPixel(m.X + dx, m.Y + dy, ink);

  // The hands are lines with thick pens: GDI draws them into the DIB.
  HGDIOBJ oldBitmap = ::SelectObject(dc_, bmp.Bitmap());
  HPEN hourPen = ::CreatePen(PS_SOLID, kHourHandWidth, ink);
  HPEN minutePen = ::CreatePen(PS_SOLID, kMinuteHandWidth, ink);
  HGDIOBJ oldPen = ::SelectObject(dc_, hourPen);
  ::MoveToEx(dc_, f.Centre.X, f.Centre.Y, nullptr);
  ::LineTo(dc_, f.HourHand.X, f.HourHand.Y);
  ::SelectObject(dc_, minutePen);
  ::MoveToEx(dc_, f.Centre.X, f.Centre.Y, nullptr);
  ::LineTo(dc_, f.MinuteHand.X, f.MinuteHand.Y);
  ::SelectObject(dc_, oldPen);
  ::SelectObject(dc_, oldBitmap);
  ::DeleteObject(hourPen);
  ::DeleteObject(minutePen);
  ::GdiFlush();

  // See-through in the colour of the bottom left pixel: the key, unless a mark or a
  // hand covers that corner.
  const COLORREF corner = bmp.PixelAt(0, bmp.Height() - 1);
  bmp.Transparent = true;
  bmp.TransparentColor = static_cast<TColor>(corner);
  return CopyOf(bmp);
}

PictureRef GdiGaugeCanvas::DrawLoadGraph(int32_t width, int32_t height, TColor background,
                                         const std::vector<GraphPixel>& pixels) {
  Size(load_, width, height);
  DibPicture& bmp = *load_;
  bmp.Fill(ColorRefOf(background));
  for (const GraphPixel& p : pixels) bmp.SetPixel(p.X, p.Y, ColorRefOf(p.Color));
  bmp.Transparent = true;
  bmp.TransparentColor = clBtnFace;
  return CopyOf(bmp);
}

}  // namespace korvi
