#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvi {

// Reads an integer as the settings file stores it: signed decimal, or hexadecimal
// after "$", "0x" or "0X" (an optional sign may come first). Hexadecimal values
// above 0x7FFFFFFF wrap to negative; more than eight significant hex digits, a
// decimal outside the signed 32-bit range, empty text or any other character
// (trailing blanks included) is no number. Leading blanks are skipped.
std::optional<int32_t> ParseInteger(std::string_view text);
// ParseInteger, or `def` when the text is no number.
int32_t StrToIntDef(std::string_view text, int32_t def);
// Signed decimal, as written to the settings file (-2147483633 for 0x8000000F).
std::string IntToStr(int32_t value);

}  // namespace korvi
