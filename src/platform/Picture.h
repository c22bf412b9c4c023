#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace korvi {

// The largest picture the pager decodes or holds, in pixels. 40 megapixels: a 12-megapixel photo with room to spare, and at 24 bits per pixel
// (120 MB) still within reach of a 32-bit process.
constexpr int64_t kMaxPicturePixels = 40'000'000;

// A picture made by the platform (a bitmap on Windows). The logic only holds it,
// compares it and hands it back to the view that draws it.
class Picture {
 public:
  virtual ~Picture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};
using PictureRef = std::shared_ptr<const Picture>;

// Makes a glyph picture for any file and icon index; never fails (an unreadable
// file gives the fallback picture).
class GlyphSource {
 public:
  virtual ~GlyphSource() = default;
  virtual PictureRef LoadGlyph(const std::string& fileName, int iconIndex) = 0;
};

}  // namespace korvi
