// Settings files with a byte-order mark: told apart, decoded to UTF-8 and encoded back.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "panel/TextEncoding.h"
#include "util/Text.h"

namespace korvi {
namespace {

using namespace std::string_literals;

TEST(TextEncoding, ByteOrderMarksAreToldApart) {
  EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBF[A]"), TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("\xFF\xFE[\0"s), TextEncoding::Utf16LE);
  EXPECT_EQ(DetectTextEncoding("\xFE\xFF\0["s), TextEncoding::Utf16BE);
  EXPECT_EQ(DetectTextEncoding("\xEF\xBB"), TextEncoding::Ansi) << "half a mark is text";
  EXPECT_EQ(DetectTextEncoding(""), TextEncoding::Ansi);
  EXPECT_EQ(DetectTextEncoding("[FORM]"), TextEncoding::Ansi);
}

TEST(TextEncoding, EveryEncodingRoundTripsByteForByte) {
  // ASCII, Latin, CJK and a character beyond the 16-bit plane (a surrogate pair in UTF-16).
  const std::string text = "[A]\r\nk=Caf\xC3\xA9 \xE6\x97\xA5 \xF0\x9F\x98\x80\r\n";
  for (TextEncoding e : {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    const std::string bytes = EncodeFromUtf8(text, e);
    EXPECT_EQ(DetectTextEncoding(bytes), e);
    EXPECT_EQ(DecodeToUtf8(bytes, e), text);
    EXPECT_EQ(EncodeFromUtf8(DecodeToUtf8(bytes, e), e), bytes);
  }
  EXPECT_EQ(EncodeFromUtf8("\xF0\x9F\x98\x80", TextEncoding::Utf16LE), "\xFF\xFE\x3D\xD8\x00\xDE"s);
}

TEST(TextEncoding, Utf8PrefixCutsBetweenCharacters) {
  const std::string s = "ab\xD0\xA2\xE2\x9C\x93";  // a, b, a two-byte and a three-byte character
  const std::pair<std::size_t, std::string> cases[] = {
      {2, "ab"}, {3, "ab"}, {4, "ab\xD0\xA2"}, {6, "ab\xD0\xA2"}, {7, s}, {50, s}, {0, ""}};
  for (const auto& [max, cut] : cases) EXPECT_EQ(Utf8Prefix(s, max), cut) << max;
}

// A surrogate without its pair keeps its value through UTF-8 and back.
TEST(TextEncoding, LoneSurrogatesComeBackUnitForUnit) {
  const std::pair<std::string, std::string> cases[] = {
      {"\xFF\xFE\x00\xD8" "A\0"s, "\xED\xA0\x80" "A"},   // a lone high surrogate
      {"\xFF\xFE\x00\xDC"s, "\xED\xB0\x80"},             // a lone low surrogate
      {"\xFF\xFE\x00\xDC\x00\xD8"s, "\xED\xB0\x80\xED\xA0\x80"},  // a pair the wrong way round
  };
  for (const auto& [utf16, utf8] : cases) {
    EXPECT_EQ(DecodeToUtf8(utf16, TextEncoding::Utf16LE), utf8);
    EXPECT_EQ(EncodeFromUtf8(utf8, TextEncoding::Utf16LE), utf16);
  }
}

TEST(TextEncoding, BrokenInputGivesReplacementCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(DecodeToUtf8("\xFF\xFE" "A\0" "B"s, TextEncoding::Utf16LE), "A") << "an odd last byte is dropped";
  EXPECT_EQ(DecodeToUtf8("\xFF\xFE"s, TextEncoding::Utf16LE), "") << "only the mark";
  // Malformed UTF-8 cannot come from a decode, but a value might carry it.
  EXPECT_EQ(EncodeFromUtf8("\xC3", TextEncoding::Utf16BE), "\xFE\xFF\xFF\xFD"s) << "a cut sequence";
  EXPECT_EQ(EncodeFromUtf8("\xF8\x88", TextEncoding::Utf16BE), "\xFE\xFF\xFF\xFD\xFF\xFD"s) << "no such lead byte";
}

}  // namespace
}  // namespace korvi
