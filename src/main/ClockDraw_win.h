#pragma once
#include <windows.h>

#include <memory>

#include "winkit/DibPicture_win.h"
#include "main/GaugeCanvas.h"

namespace korvi {

// Draws clock faces and load graphs with GDI into the panel's two shared bitmaps
// (the clock bitmap and the load bitmap) and hands each button a DibPicture copy.
class GdiGaugeCanvas : public GaugeCanvas {
 public:
  GdiGaugeCanvas();
  ~GdiGaugeCanvas() override;
  GdiGaugeCanvas(const GdiGaugeCanvas&) = delete;
  GdiGaugeCanvas& operator=(const GdiGaugeCanvas&) = delete;

  PictureRef DrawClockFace(const ClockFace& face) override;
  PictureRef DrawLoadGraph(int32_t width, int32_t height, TColor background,
                           const std::vector<GraphPixel>& pixels) override;

  // The shared bitmaps as last drawn (for tests).
  const DibPicture* ClockBitmap() const { return clock_.get(); }
  const DibPicture* LoadBitmap() const { return load_.get(); }

 private:
  // Makes `bitmap` width x height, keeping it when it has that size already.
  static void Size(std::shared_ptr<DibPicture>& bitmap, int width, int height);
  static PictureRef CopyOf(const DibPicture& bitmap);

  HDC dc_ = nullptr;  // memory DC the shared bitmaps are selected into while drawing
  std::shared_ptr<DibPicture> clock_, load_;
};

}  // namespace korvi
