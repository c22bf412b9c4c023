#pragma once
#include <cstdint>

#include "buttons/PictureCheck.h"

namespace korvi {

// Receives a decoded JPEG picture row by row.
class JpegTarget {
 public:
  virtual ~JpegTarget() = default;
  // Called once, before any row, with the picture's size; false refuses the picture.
  virtual bool Allocate(int32_t width, int32_t height) = 0;
  // Where row y (0 = top) goes: width * 3 bytes in blue, green, red order.
  virtual uint8_t* Row(int32_t y) = 0;
};

enum class JpegStatus {
  Ok,
  Truncated,  // the data ended early: the rows not in the file are grey, the rest is the picture
  Failed,     // not a JPEG, unsupported, damaged beyond decoding, or too large
};

struct JpegResult {
  JpegStatus status = JpegStatus::Failed;
  int32_t width = 0, height = 0;
  int32_t warnings = 0;  // recoverable damage libjpeg reported (extraneous bytes, early end, ...)
};

// Decodes a whole JPEG file held in memory at libjpeg's best quality (accurate integer
// DCT, smooth chroma upsampling), grey, colour, CMYK or YCCK, baseline or progressive, into
// `target`.
// Never aborts: damage ends in Failed, and pictures over kMaxPicturePixels are refused
// before anything is allocated.
JpegResult DecodeJpeg(Bytes file, JpegTarget& target);

}  // namespace korvi
