#include "help/HtmlText.h"

#include <cstddef>
#include <cstdint>

#include "util/Text.h"

namespace korvi {

namespace {

bool IsLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

struct NamedEntity {
  const char* Name;
  uint32_t CodePoint;
};
constexpr NamedEntity kEntities[] = {
    {"amp", '&'},       {"lt", '<'},         {"gt", '>'},         {"quot", '"'},      {"apos", '\''},
    {"nbsp", 0xA0},     {"copy", 0xA9},      {"reg", 0xAE},       {"trade", 0x2122},  {"mdash", 0x2014},
    {"ndash", 0x2013},  {"hellip", 0x2026},  {"laquo", 0xAB},     {"raquo", 0xBB},    {"lsquo", 0x2018},
    {"rsquo", 0x2019},  {"ldquo", 0x201C},   {"rdquo", 0x201D},   {"bull", 0x2022},   {"middot", 0xB7},
    {"rarr", 0x2192},   {"larr", 0x2190},    {"uarr", 0x2191},    {"darr", 0x2193},   {"times", 0xD7},
    {"deg", 0xB0},      {"sect", 0xA7},      {"para", 0xB6},      {"eacute", 0xE9},   {"egrave", 0xE8},
    {"auml", 0xE4},     {"ouml", 0xF6},      {"uuml", 0xFC},      {"szlig", 0xDF},    {"shy", 0xAD},
    {"minus", 0x2212},  {"plusmn", 0xB1},    {"frac12", 0xBD},    {"euro", 0x20AC},   {"thinsp", 0x2009},
};

// Decodes one reference at text[i] == '&'; returns the characters consumed (0 when
// it is no reference, and the "&" stands for itself).
size_t DecodeOne(std::string_view text, size_t i, std::string& out) {
  size_t j = i + 1;
  if (j < text.size() && text[j] == '#') {
    ++j;
    bool hex = j < text.size() && (text[j] == 'x' || text[j] == 'X');
    if (hex) ++j;
    uint32_t cp = 0;
    size_t digits = 0;
    for (; j < text.size(); ++j) {
      char c = text[j];
      int d = (c >= '0' && c <= '9') ? c - '0'
              : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
              : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                            : -1;
      if (d < 0) break;
      if (cp <= 0x10FFFF) cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(d);  // stays above the range once over it
      ++digits;
    }
    if (digits == 0) return 0;
    if (j < text.size() && text[j] == ';') ++j;
    AppendUtf8(out, cp == 0 ? 0xFFFD : cp);  // a reference to NUL stands for the replacement character
    return j - i;
  }
  size_t end = j;
  while (end < text.size() && end - j < 10 && IsLetterOrDigit(text[end])) ++end;
  if (end == j || end >= text.size() || text[end] != ';') return 0;
  std::string_view name = text.substr(j, end - j);
  for (const auto& e : kEntities) {
    if (name == e.Name) {
      AppendUtf8(out, e.CodePoint);
      return end + 1 - i;
    }
  }
  return 0;
}

}  // namespace

bool ValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

// Windows-1252 bytes 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr uint16_t kCp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

std::string FromCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  for (char ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) out += ch;
    else AppendUtf8(out, c < 0xA0 ? kCp1252High[c - 0x80] : c);
  }
  return out;
}

std::string DecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '&') {
      if (size_t n = DecodeOne(text, i, out)) {
        i += n;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

}  // namespace korvi
