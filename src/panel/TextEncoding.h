#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace korvi {

// How a settings file is encoded, told by its first bytes as the system's profile
// functions tell it: a UTF-8 byte-order mark (EF BB BF), a UTF-16 one (FF FE little
// endian, FE FF big endian), or none: text in the ANSI code page.
enum class TextEncoding : uint8_t { Ansi, Utf8, Utf16LE, Utf16BE };

TextEncoding DetectTextEncoding(std::string_view bytes);

// The text after the byte-order mark as UTF-8; an ANSI file comes back unchanged.
// A UTF-16 surrogate without its pair keeps its value in UTF-8's three-byte form
// (ED A0 80 .. ED BF BF), so that EncodeFromUtf8 gives the same unit back; shown on
// the screen it is a replacement character. An odd last byte is dropped, as the
// profile functions drop it.
std::string DecodeToUtf8(std::string_view bytes, TextEncoding encoding);

// The file's bytes for UTF-8 text (ANSI text when `encoding` is Ansi), byte-order
// mark first: what DecodeToUtf8 read comes back byte for byte.
std::string EncodeFromUtf8(std::string_view text, TextEncoding encoding);

}  // namespace korvi
