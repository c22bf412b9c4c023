#include "winkit/FontCache_win.h"
#include "platform/WideText_win.h"

#include <vector>

namespace korvi {

namespace {
struct Entry {
  TFont Font;
  HFONT Handle;
};
// The cache is bounded: past this many distinct fonts the oldest are released.
constexpr size_t kMaxFonts = 64;
std::vector<Entry>& Fonts() {
  static std::vector<Entry> fonts;
  return fonts;
}
}  // namespace

HFONT FontCache::Get(const TFont& font) {
  auto& fonts = Fonts();
  for (const Entry& e : fonts)
    if (e.Font.Name == font.Name && e.Font.Size == font.Size && e.Font.Bold == font.Bold &&
        e.Font.Italic == font.Italic && e.Font.Underline == font.Underline && e.Font.StrikeOut == font.StrikeOut &&
        e.Font.Charset == font.Charset && e.Font.Pitch == font.Pitch)
      return e.Handle;
  // The panel's buttons are sized in pixels (the settings file's WIDTH and HEIGHT), so their
  // captions are too: a point is taken at 96 pixels an inch whatever the screen's resolution.
  // A caption that fits its button at 96 dpi then fits it at 120 and 144 dpi as well, where a
  // font grown with the screen's resolution would be cut off by the unchanged button.
  constexpr int kPanelPixelsPerInch = 96;
  const int height = -::MulDiv(font.Size, kPanelPixelsPerInch, 72);
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Italic;
  lf.lfUnderline = font.Underline;
  lf.lfStrikeOut = font.StrikeOut;
  lf.lfCharSet = font.Charset;
  lf.lfPitchAndFamily = font.Pitch;
  lstrcpynW(lf.lfFaceName, Widen(font.Name).c_str(), LF_FACESIZE);
  HFONT h = ::CreateFontIndirectW(&lf);
  if (fonts.size() >= kMaxFonts) {
    ::DeleteObject(fonts.front().Handle);
    fonts.erase(fonts.begin());
  }
  fonts.push_back({font, h});
  return h;
}

}  // namespace korvi
