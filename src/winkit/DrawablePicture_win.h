#pragma once
#include <windows.h>

#include "platform/Picture.h"

namespace korvi {

// A picture that the Win32 views can draw: every picture the platform makes is one.
class DrawablePicture : public Picture {
 public:
  // Draws the picture at its own size with its top left corner at (x, y) of `dc`.
  virtual void Draw(HDC dc, int x, int y) const = 0;
  // Draws the picture greyed, as a disabled button shows its glyph: what Draw would
  // put there in any colour but white becomes the button shadow, with the button
  // highlight one pixel right and down; see-through and white pixels stay unpainted.
  void DrawDisabled(HDC dc, int x, int y) const;
};

}  // namespace korvi
