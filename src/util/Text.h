#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvi {

// Trims leading and trailing blanks and control characters (everything <= ' ').
std::string Trim(std::string_view s);
// The directory part of a Windows path, with its trailing "\" or ":" ("C:\a\b.exe" -> "C:\a\").
std::string ExtractFilePath(std::string_view path);
// The file-name part of a Windows path ("C:\a\b.exe" -> "b.exe").
std::string ExtractFileName(std::string_view path);
// The extension of the file-name part, dot included; empty when it has no ".".
std::string ExtractFileExt(std::string_view path);
// ASCII upper and lower case (the settings file's names compare this way).
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);

// At most `maxBytes` bytes of UTF-8 text, cut before a character rather than inside one.
std::string Utf8Prefix(std::string_view s, std::size_t maxBytes);

// Appends the UTF-8 bytes of a code point; one that is no Unicode scalar value (a surrogate,
// or beyond U+10FFFF) is appended as U+FFFD, the replacement character.
void AppendUtf8(std::string& out, uint32_t codePoint);

}  // namespace korvi
