#pragma once
#include <cstdint>
#include <vector>

#include "main/ClockFace.h"
#include "main/LoadGauge.h"
#include "platform/Picture.h"

namespace korvi {

// The two off-screen pictures of the panel, the clock bitmap and the load bitmap.
// Each call redraws one of them and hands back a copy of it for one button's glyph,
// so buttons never share a picture that the next drawing changes.
class GaugeCanvas {
 public:
  virtual ~GaugeCanvas() = default;

  // Fills the face's rectangle with its key colour, puts a 3 x 3 square of ink on
  // every mark and draws both hands from the centre; the key colour is see-through.
  virtual PictureRef DrawClockFace(const ClockFace& face) = 0;

  // Fills a W x H rectangle with `background` and sets the given pixels; the button
  // face colour is see-through.
  virtual PictureRef DrawLoadGraph(int32_t width, int32_t height, TColor background,
                                   const std::vector<GraphPixel>& pixels) = 0;
};

}  // namespace korvi
