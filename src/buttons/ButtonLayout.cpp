#include "buttons/ButtonLayout.h"

namespace korvi {

namespace {
constexpr int kSpacing = 4;
}

ButtonParts LayoutButton(const Rect& button, Point glyphSize, Point textSize, int layout, bool pressed) {
  if (layout < 0 || layout > 3) layout = 0;
  const bool haveGlyph = glyphSize.X > 0 && glyphSize.Y > 0;
  const bool haveText = textSize.X > 0 && textSize.Y > 0;
  const int gap = haveGlyph && haveText ? kSpacing : 0;
  const bool horizontal = layout <= 1;
  const int shift = pressed ? 1 : 0;
  const int cx = button.Left + button.Width() / 2 + shift, cy = button.Top + button.Height() / 2 + shift;

  // The whole block (glyph + gap + caption), centred.
  const int blockW = horizontal ? glyphSize.X + gap + textSize.X : (glyphSize.X > textSize.X ? glyphSize.X : textSize.X);
  const int blockH = horizontal ? (glyphSize.Y > textSize.Y ? glyphSize.Y : textSize.Y) : glyphSize.Y + gap + textSize.Y;
  const int left = cx - blockW / 2, top = cy - blockH / 2;

  ButtonParts p;
  Point g, t;
  switch (layout) {
    case 0:  // glyph left
      g = {left, cy - glyphSize.Y / 2};
      t = {left + glyphSize.X + gap, cy - textSize.Y / 2};
      break;
    case 1:  // glyph right
      t = {left, cy - textSize.Y / 2};
      g = {left + textSize.X + gap, cy - glyphSize.Y / 2};
      break;
    case 2:  // glyph above
      g = {cx - glyphSize.X / 2, top};
      t = {cx - textSize.X / 2, top + glyphSize.Y + gap};
      break;
    default:  // glyph below
      t = {cx - textSize.X / 2, top};
      g = {cx - glyphSize.X / 2, top + textSize.Y + gap};
      break;
  }
  p.Glyph = {g.X, g.Y, g.X + glyphSize.X, g.Y + glyphSize.Y};
  p.Caption = {t.X, t.Y, t.X + textSize.X, t.Y + textSize.Y};
  return p;
}

}  // namespace korvi
