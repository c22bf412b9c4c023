#include "platform/WideText_win.h"

#include <algorithm>

namespace korvi {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = static_cast<int>(std::min<size_t>(utf8.size(), 0x7FFFFFFF / 2));
  const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<size_t>(units), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, wide.data(), units);
  return wide;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int n = static_cast<int>(std::min<size_t>(utf16.size(), 0x7FFFFFFF / 4));
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::string Narrow(const wchar_t* utf16) { return utf16 ? Narrow(std::wstring_view(utf16)) : std::string(); }

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return Narrow(text);
}

void SetWindowTextUtf8(HWND window, std::string_view text) { ::SetWindowTextW(window, Widen(text).c_str()); }

}  // namespace korvi
