#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace korvi {

// The program's text is UTF-8; the system's W functions speak UTF-16. These are
// the one place the two meet. Bytes that are no UTF-8 become U+FFFD, and UTF-16
// that pairs no surrogates becomes U+FFFD, so every text converts.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// A zero-ended UTF-16 text (null reads as empty).
std::string Narrow(const wchar_t* utf16);

// The text of a window (an edit, a caption, another program's title) as UTF-8.
std::string WindowText(HWND window);
// Sets a window's text from UTF-8.
void SetWindowTextUtf8(HWND window, std::string_view text);

}  // namespace korvi
