#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "winkit/DibBitmap_win.h"
#include "winkit/Colors_win.h"
#include "winkit/DrawablePicture_win.h"

namespace korvi {

// A picture held in a top-down DIB section (DibBitmap): the glyph of a clock or load
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

  int Width() const override { return bits_.Width(); }
  int Height() const override { return bits_.Height(); }
  HBITMAP Bitmap() const { return bits_.Handle(); }
  bool Empty() const { return bits_.Empty(); }

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
  bool Inside(int x, int y) const { return !bits_.Empty() && x >= 0 && y >= 0 && x < Width() && y < Height(); }
  DibBitmap bits_;
};

}  // namespace korvi
