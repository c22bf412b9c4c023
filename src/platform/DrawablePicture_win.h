#pragma once
#include <windows.h>

#include "platform/Picture.h"

namespace korvi {

// A picture that the Win32 views can draw: every picture the platform makes is one.
class DrawablePicture : public Picture {
 public:
  // Draws the picture at its own size with its top left corner at (x, y) of `dc`.
  virtual void Draw(HDC dc, int x, int y) const = 0;
};

}  // namespace korvi
