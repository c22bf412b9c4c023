#pragma once
#include <string>
#include <string_view>

namespace korvi {

// The character level of the pages the built-in reader shows.

// Decodes the character references of one piece of text ("&amp;", "&#233;", "&#x2192;").
std::string DecodeEntities(std::string_view text);

// True when the bytes are well-formed UTF-8.
bool ValidUtf8(std::string_view s);
// Windows-1252 text as UTF-8 (a page that is not UTF-8 is taken as Windows-1252).
std::string FromCp1252(std::string_view s);

}  // namespace korvi
