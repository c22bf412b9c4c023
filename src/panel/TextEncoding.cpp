#include "panel/TextEncoding.h"

#include "util/Text.h"

namespace korvi {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr uint32_t kReplacement = 0xFFFD;

// The next code point of UTF-8 text at `i`, which moves past it; a malformed
// sequence gives U+FFFD for its first byte.
uint32_t NextUtf8(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<uint8_t>(s[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  const int more = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 0;
  uint32_t c = lead & (0x3F >> more);
  bool broken = false;
  for (int k = 1; k <= more; ++k) {
    if (i + k >= s.size() || (static_cast<uint8_t>(s[i + k]) & 0xC0) != 0x80) {
      broken = true;
      break;
    }
    c = (c << 6) | (static_cast<uint8_t>(s[i + k]) & 0x3F);
  }
  if (more == 0 || broken || c > 0x10FFFF) {
    ++i;
    return kReplacement;
  }
  i += static_cast<std::size_t>(more) + 1;
  return c;
}

void AppendUtf16(std::string& out, uint16_t unit, bool bigEndian) {
  const char lo = static_cast<char>(unit & 0xFF), hi = static_cast<char>(unit >> 8);
  out += bigEndian ? hi : lo;
  out += bigEndian ? lo : hi;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == kUtf8Bom) return TextEncoding::Utf8;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') return TextEncoding::Utf16LE;
  if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') return TextEncoding::Utf16BE;
  return TextEncoding::Ansi;
}

std::string DecodeToUtf8(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Ansi: return std::string(bytes);
    case TextEncoding::Utf8: return std::string(bytes.substr(kUtf8Bom.size()));
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: break;
  }
  const bool big = encoding == TextEncoding::Utf16BE;
  std::string out;
  out.reserve(bytes.size());
  const std::size_t units = bytes.size() / 2;
  auto unit = [&](std::size_t k) -> uint16_t {
    const auto a = static_cast<uint8_t>(bytes[2 * k]), b = static_cast<uint8_t>(bytes[2 * k + 1]);
    return static_cast<uint16_t>(big ? (a << 8) | b : (b << 8) | a);
  };
  for (std::size_t k = 1; k < units; ++k) {  // unit 0 is the byte-order mark
    const uint16_t u = unit(k);
    if (u >= 0xD800 && u < 0xDC00 && k + 1 < units && unit(k + 1) >= 0xDC00 && unit(k + 1) < 0xE000) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800u) << 10) + (unit(k + 1) - 0xDC00u));
      ++k;
    } else if (u >= 0xD800 && u < 0xE000) {
      // A lone surrogate keeps its value: the line it is in goes back as it came.
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

std::string EncodeFromUtf8(std::string_view text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Ansi: return std::string(text);
    case TextEncoding::Utf8: return std::string(kUtf8Bom) + std::string(text);
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: break;
  }
  const bool big = encoding == TextEncoding::Utf16BE;
  std::string out;
  out.reserve(2 * text.size() + 2);
  AppendUtf16(out, 0xFEFF, big);
  for (std::size_t i = 0; i < text.size();) {
    const uint32_t c = NextUtf8(text, i);
    if (c >= 0x10000) {
      AppendUtf16(out, static_cast<uint16_t>(0xD800 + ((c - 0x10000) >> 10)), big);
      AppendUtf16(out, static_cast<uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)), big);
    } else {
      AppendUtf16(out, static_cast<uint16_t>(c), big);
    }
  }
  return out;
}

}  // namespace korvi
