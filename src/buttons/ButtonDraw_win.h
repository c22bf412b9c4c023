#pragma once
#include <windows.h>

#include "buttons/ExeButton.h"

namespace korvi {

// Draws a panel button at its place in `dc`: the push-button face (flat ones only a
// thin edge while the mouse is over them or while they are down), then the glyph and
// the caption as ButtonLayout places them, both kept inside the button.
void DrawExeButton(HDC dc, const TExeButton& b, bool hot, bool down);

}  // namespace korvi
