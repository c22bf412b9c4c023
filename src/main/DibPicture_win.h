#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/Colors.h"
#include "platform/DrawablePicture_win.h"

namespace korvi {

// Windows colour of a panel colour, system colours resolved now.
COLORREF ColorRefOf(TColor c);

// A picture held in a 32-bit top-down DIB section: the glyph of a clock or load
// gauge. GDI can draw into it, and its pixels can be read and written directly.
// The bitmap is deleted with the picture, so replacing a button's glyph frees it.
class DibPicture : public DrawablePicture {
 public:
  // A width x height picture, all black; sizes of 0 or less (or too large for the
  // system) give an empty picture that draws nothing.
  static std::shared_ptr<DibPicture> Create(int width, int height);
  ~DibPicture() override;
  DibPicture(const DibPicture&) = delete;
  DibPicture& operator=(const DibPicture&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  HBITMAP Bitmap() const { return bitmap_; }
  bool Empty() const { return bitmap_ == nullptr; }

  // Pixel access in COLORREF (0x00BBGGRR); points outside are ignored or read as 0.
  // Call GdiFlush after GDI drawing and before reading.
  COLORREF PixelAt(int x, int y) const;
  void SetPixel(int x, int y, COLORREF c);
  void Fill(COLORREF c);
  // Copies the pixels of a picture of the same size.
  void CopyPixelsFrom(const DibPicture& other);

  // Pixels of this colour are not drawn (the key of a clock face, the button face of
  // a load graph). A system colour is resolved at each drawing.
  bool Transparent = false;
  TColor TransparentColor = clBtnFace;

  // Draws the picture with its top left corner at (x, y) of `dc`.
  void Draw(HDC dc, int x, int y) const override;

 private:
  DibPicture() = default;
  int width_ = 0, height_ = 0;
  HBITMAP bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;  // 0x00RRGGBB, rows top first
};

}  // namespace korvi
