#pragma once
#include <string>
#include <string_view>

#include "platform/Font.h"

namespace korvi {

// The font description string: "name, $CCCCCCCC, size, BIUS" (colour as eight
// upper-case hex digits, style letters or "-"). An absent font gives "".
std::string FontToStr(const TFont* font);

// Decodes a font description string into `scratch` and returns it. An empty name
// keeps the scratch font's face; a colour that is no number gives
// black, a size that is no number 10 points; character set and pitch stay as the
// scratch font had them. Callers copy the result and do not keep the reference.
TFont& StrToFont(TFont& scratch, std::string_view text);

}  // namespace korvi
