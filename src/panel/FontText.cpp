#include "panel/FontText.h"

#include <cstdio>

#include "panel/IntegerText.h"
#include "util/Text.h"

namespace korvi {

std::string FontToStr(const TFont* font) {
  if (font == nullptr) return std::string();
  char colour[16];
  std::snprintf(colour, sizeof colour, "$%08X", static_cast<unsigned>(static_cast<uint32_t>(font->Color)));
  std::string style = "----";
  if (font->Bold) style[0] = 'B';
  if (font->Italic) style[1] = 'I';
  if (font->Underline) style[2] = 'U';
  if (font->StrikeOut) style[3] = 'S';
  return font->Name + ", " + colour + ", " + IntToStr(font->Size) + ", " + style;
}

namespace {

// Takes the next comma-separated field off the front of `rest`, trimmed; past the
// last field it gives "".
std::string NextField(std::string_view& rest) {
  size_t comma = rest.find(',');
  std::string field = Trim(rest.substr(0, comma));
  rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  return field;
}

}  // namespace

TFont& StrToFont(TFont& font, std::string_view text) {
  std::string_view rest = text;

  std::string name = NextField(rest);
  if (!name.empty()) font.Name = name;
  font.Color = StrToIntDef(NextField(rest), clBlack);
  font.Size = StrToIntDef(NextField(rest), 10);

  // Positions count: "-I" is italic, a lone "U" is no style at all.
  std::string style = UpperCase(NextField(rest)) + "----";
  font.Bold = style[0] == 'B';
  font.Italic = style[1] == 'I';
  font.Underline = style[2] == 'U';
  font.StrikeOut = style[3] == 'S';
  return font;
}

}  // namespace korvi
