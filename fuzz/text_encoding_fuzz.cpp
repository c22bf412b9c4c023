// The settings file's text encodings over arbitrary bytes: whatever the bytes, decoding gives
// text that encodes and decodes back to itself, and an ANSI or UTF-8 file comes back byte for
// byte, so a save never changes what the pager did not touch.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "panel/TextEncoding.h"

using korvi::TextEncoding;

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  const TextEncoding encoding = korvi::DetectTextEncoding(data);
  const std::string text = korvi::DecodeToUtf8(data, encoding);
  const std::string again = korvi::EncodeFromUtf8(text, encoding);
  Check(korvi::DetectTextEncoding(again) == encoding);
  Check(korvi::DecodeToUtf8(again, encoding) == text);
  if (encoding == TextEncoding::Ansi || encoding == TextEncoding::Utf8) Check(again == data);
  // UTF-16 comes back unit for unit, lone surrogates included (an odd last byte is dropped).
  if (encoding != TextEncoding::Ansi && encoding != TextEncoding::Utf8) Check(again == data.substr(0, size & ~size_t{1}));
  // Text decoded from UTF-16 reads back the same from any Unicode encoding (text from an ANSI or
  // UTF-8 file is kept as it is, well-formed or not).
  if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE) {
    for (TextEncoding other : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
      const std::string moved = korvi::EncodeFromUtf8(text, other);
      Check(korvi::DecodeToUtf8(moved, korvi::DetectTextEncoding(moved)) == text);
    }
  }
  return 0;
}
