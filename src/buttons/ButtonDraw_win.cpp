#include "buttons/ButtonDraw_win.h"

#include "buttons/ButtonLayout.h"
#include "winkit/DibPicture_win.h"
#include "winkit/DrawablePicture_win.h"
#include "winkit/FontCache_win.h"
#include "platform/WideText_win.h"

namespace korvi {

void DrawExeButton(HDC dc, const TExeButton& b, bool hot, bool down) {
  RECT r{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
  if (b.Flat && !down) {
    if (hot && b.Enabled) ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  } else if (b.Flat) {
    ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else {
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  }
  HFONT old = static_cast<HFONT>(::SelectObject(dc, FontCache::Get(b.Font)));
  SIZE text{};
  const std::wstring caption = Widen(b.Caption);
  if (!caption.empty()) ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  const auto* glyph = dynamic_cast<const DrawablePicture*>(b.Glyph.get());
  Point glyphSize = glyph ? Point{glyph->Width(), glyph->Height()} : Point{};
  ButtonParts parts = LayoutButton({b.Left, b.Top, b.Left + b.Width, b.Top + b.Height}, glyphSize,
                                   {text.cx, text.cy}, b.Layout, down);
  // Glyph and caption stay inside the button (logical coordinates: the paint may be offset).
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
  if (glyph && b.Enabled) glyph->Draw(dc, parts.Glyph.Left, parts.Glyph.Top);
  if (glyph && !b.Enabled) glyph->DrawDisabled(dc, parts.Glyph.Left, parts.Glyph.Top);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, b.Enabled ? ColorRefOf(b.Font.Color) : ::GetSysColor(COLOR_GRAYTEXT));
  if (!caption.empty())
    ::TextOutW(dc, parts.Caption.Left, parts.Caption.Top, caption.c_str(), static_cast<int>(caption.size()));
  ::RestoreDC(dc, saved);
  ::SelectObject(dc, old);
}

}  // namespace korvi
