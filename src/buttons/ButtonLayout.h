#pragma once
#include "platform/Geometry.h"

namespace korvi {

// Where a push button's glyph and caption go. The pair is centred in the button,
// 4 pixels apart, the glyph on the side its layout names (0 left, 1 right, 2 above,
// 3 below the caption); a layout outside 0..3 is taken as left. Either part may be
// empty (size 0): the other is then centred alone.
struct ButtonParts {
  Rect Glyph;    // where the glyph's top left corner goes, with its size
  Rect Caption;  // the caption's box
};
ButtonParts LayoutButton(const Rect& button, Point glyphSize, Point textSize, int layout, bool pressed);

}  // namespace korvi
