// The INI model: how values are found and what editing keeps. Files are written
// with "\n" or "\r\n" explicitly so that line ends are part of each case.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "panel/IniFile.h"

namespace korvi {
namespace {

struct ReadCase {
  const char* what;
  std::string text;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsValueAsProfileFunctionsDo) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(IniFile::Parse(c.text).Get(c.section, c.key), c.expected) << c.what;
}

const std::string kLongValue(3000, 'v');
const std::string kLongLine = "[S]\nK=" + kLongValue + "\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    ::testing::Values(
        ReadCase{"plain", "[FORM]\r\nEDGE=3\r\n", "FORM", "EDGE", "3"},
        ReadCase{"names ignore case", "[form]\nEdge=3\n", "FORM", "EDGE", "3"},
        ReadCase{"blanks around names and values", "  [ FORM ]  \n\t EDGE \t=  3 4 \t\n", "FORM", "EDGE", "3 4"},
        ReadCase{"LF only, no final line end", "[A]\nK=v", "A", "K", "v"},
        ReadCase{"double quotes removed", "[A]\nK=\"  spaced  \"\n", "A", "K", "  spaced  "},
        ReadCase{"single quotes removed", "[A]\nK='x'\n", "A", "K", "x"},
        ReadCase{"unmatched quotes kept", "[A]\nK=\"x'\n", "A", "K", "\"x'"},
        ReadCase{"lone quote kept", "[A]\nK=\"\n", "A", "K", "\""},
        ReadCase{"empty quotes give empty", "[A]\nK=\"\"\n", "A", "K", ""},
        ReadCase{"first duplicate key wins", "[A]\nK=1\nK=2\n", "A", "K", "1"},
        ReadCase{"first duplicate section wins", "[A]\nK=1\n[B]\n[a]\nK=2\n", "A", "K", "1"},
        ReadCase{"keys only in the first of duplicate sections", "[A]\nX=1\n[A]\nK=2\n", "A", "K", std::nullopt},
        ReadCase{"comment line is not a key", "[A]\n;K=1\nK=2\n", "A", "K", "2"},
        ReadCase{"line without = is not a key", "[A]\nK\nK=2\n", "A", "K", "2"},
        ReadCase{"key of another section", "[A]\nK=1\n[B]\n", "B", "K", std::nullopt},
        ReadCase{"keys before any section belong to none", "K=1\n[A]\n", "A", "K", std::nullopt},
        ReadCase{"empty value", "[A]\nK=\n", "A", "K", ""},
        ReadCase{"value keeps later =", "[A]\nK=a=b\n", "A", "K", "a=b"},
        ReadCase{"section text after ] ignored", "[A] trailing\nK=1\n", "A", "K", "1"},
        ReadCase{"[ without ] is no section", "[A]\n[B\nK=1\n", "A", "K", "1"},
        ReadCase{"NUL ends the value", std::string("[A]\nK=ab\0cd\n", 12), "A", "K", "ab"},
        ReadCase{"UTF-8 byte-order mark ignored", "\xEF\xBB\xBF[A]\r\nK=1\r\n", "A", "K", "1"},
        ReadCase{"missing section", "[A]\nK=1\n", "Z", "K", std::nullopt},
        ReadCase{"empty file", "", "A", "K", std::nullopt}));

TEST(IniRead, ValueIsCutToTheBufferOf2048Bytes) {
  auto v = IniFile::Parse(kLongLine).Get("S", "K");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->size(), 2047u);
}

TEST(IniRead, NulInTheMiddleOfAFileStillFindsLaterKeys) {
  const std::string text("[A]\nK=1\0\n[B]\nK=2\n", 17);
  EXPECT_EQ(IniFile::Parse(text).Get("B", "K"), "2");
}

TEST(IniRead, TypedReadsUseTheIntegerRuleAndDefaults) {
  IniFile ini = IniFile::Parse("[A]\nI=0x10\nB=2\nZ=0\nJ=junk\nS=text\n");
  EXPECT_EQ(ini.ReadInteger("A", "I", 7), 16);
  EXPECT_EQ(ini.ReadInteger("A", "J", 7), 7) << "a non-number reads as the default";
  EXPECT_EQ(ini.ReadInteger("A", "none", 7), 7);
  EXPECT_TRUE(ini.ReadBool("A", "B", false)) << "any value other than 0 is true";
  EXPECT_FALSE(ini.ReadBool("A", "Z", true));
  EXPECT_TRUE(ini.ReadBool("A", "J", true)) << "a non-number boolean takes its default";
  EXPECT_FALSE(ini.ReadBool("A", "J", false));
  EXPECT_EQ(ini.ReadString("A", "none", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("A", "S", "dflt"), "text");
}

// ---------------------------------------------------------------------------------
// Editing

TEST(IniEdit, ParseKeepsAnyTextByteForByte) {
  const std::string texts[] = {"", "\n", "\r\n\r\n", "no line end", "[A]\r\nK = v \r\n; c\n\n[B]\nx\n",
                               std::string("\0\xFF\r\r\n[", 6)};
  for (const std::string& t : texts) EXPECT_EQ(IniFile::Parse(t).Text(), t) << "for " << ::testing::PrintToString(t);
}

TEST(IniEdit, ChangingAValueTouchesOnlyThatValue) {
  const std::string before =
      "; Korvi settings\r\n[FORM]\r\nEDGE = 2\r\n  size=100\r\nUNKNOWN=keep me\r\n\r\n[OTHER]\r\nEDGE=9\r\n";
  IniFile ini = IniFile::Parse(before);
  ini.Set("form", "EDGE", "4");
  ini.Set("FORM", "SIZE", "80");
  EXPECT_EQ(ini.Text(),
            "; Korvi settings\r\n[FORM]\r\nEDGE = 4\r\n  size=80\r\nUNKNOWN=keep me\r\n\r\n[OTHER]\r\nEDGE=9\r\n")
      << "the name as spelt, the blanks after '=' and the other lines stay";
}

TEST(IniEdit, SettingTheSameValueChangesNothing) {
  // However the line spells it: what it reads as, written back, leaves it byte for byte.
  for (const std::string& before : {std::string("[A]\nK =  v  \n"), std::string("[A]\nK=\"v\"\n"),
                                   std::string("[A]\nK=v\0tail\n", 11), std::string("[A]\nK=a\rb\x01\n")}) {
    IniFile ini = IniFile::Parse(before);
    const std::string value = *ini.Get("A", "K");
    ini.Set("A", "K", value);
    EXPECT_EQ(ini.Text(), before) << value;
  }
  EXPECT_EQ(IniFile::Parse("[A]\nK=a\rb\n").Get("A", "K"), "a b") << "as a write would make it";
}

TEST(IniEdit, NewKeyGoesAfterTheLastEntryOfItsSection) {
  IniFile ini = IniFile::Parse("[A]\nK=1\n\n; about B\n[B]\nX=1\n");
  ini.Set("A", "NEW", "2");
  EXPECT_EQ(ini.Text(), "[A]\nK=1\nNEW=2\n\n; about B\n[B]\nX=1\n")
      << "blank lines and the comment in front of [B] stay in front of [B]";
}

TEST(IniEdit, NewKeyInTheFirstOfDuplicateSections) {
  IniFile ini = IniFile::Parse("[A]\nK=1\n[A]\nK=2\n");
  ini.Set("A", "N", "3");
  EXPECT_EQ(ini.Text(), "[A]\nK=1\nN=3\n[A]\nK=2\n");
  ini.Set("A", "K", "9");
  EXPECT_EQ(ini.Text(), "[A]\nK=9\nN=3\n[A]\nK=2\n");
}

TEST(IniEdit, NewSectionGoesAtTheEndInTheFilesLineEnds) {
  IniFile lf = IniFile::Parse("[A]\nK=1");
  lf.Set("B", "X", "2");
  EXPECT_EQ(lf.Text(), "[A]\nK=1\n[B]\nX=2\n") << "a missing final line end is added first";

  IniFile crlf = IniFile::Parse("[A]\r\nK=1\r\n");
  crlf.Set("A", "L", "2");
  crlf.Set("B", "X", "3");
  EXPECT_EQ(crlf.Text(), "[A]\r\nK=1\r\nL=2\r\n[B]\r\nX=3\r\n");

  IniFile empty = IniFile::Parse("");
  empty.Set("B", "X", "3");
  EXPECT_EQ(empty.Text(), "[B]\r\nX=3\r\n") << "a new file gets Windows line ends";
}

TEST(IniEdit, KeyAddedToAHeaderWithoutLineEnd) {
  IniFile ini = IniFile::Parse("[A]");
  ini.Set("A", "K", "1");
  EXPECT_EQ(ini.Text(), "[A]\r\nK=1\r\n");
}

TEST(IniEdit, ValuesThatWouldChangeOnReadingAreQuoted) {
  struct Case {
    const char* value;
    const char* written;
  } cases[] = {
      {"plain", "plain"},
      {"  lead", "\"  lead\""},
      {"trail ", "\"trail \""},
      {"\"quoted\"", "\"\"quoted\"\""},
      {"'q'", "\"'q'\""},
      {"\"half", "\"half"},
      {"", ""},
  };
  for (const Case& c : cases) {
    IniFile ini;
    ini.Set("A", "K", c.value);
    EXPECT_EQ(ini.Text(), std::string("[A]\r\nK=") + c.written + "\r\n") << "value " << c.value;
    EXPECT_EQ(IniFile::Parse(ini.Text()).Get("A", "K"), c.value) << "value " << c.value << " reads back";
  }
}

TEST(IniEdit, LineBreaksInAValueCannotInjectKeysOrSections) {
  IniFile ini = IniFile::Parse("[A]\nK=1\n");
  ini.Set("A", "K", "x\r\n[FORM]\nEDGE=1");
  IniFile again = IniFile::Parse(ini.Text());
  EXPECT_EQ(again.Get("FORM", "EDGE"), std::nullopt);
  EXPECT_EQ(again.Get("A", "K"), "x  [FORM] EDGE=1");
}

// ---------------------------------------------------------------------------------
// Hostile input

TEST(IniHostile, HugeAndBinaryTextsParseAndKeepTheirBytes) {
  std::string binary;
  for (int i = 0; i < 1 << 16; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  const std::string longLine = "[A]\n" + std::string(10000, 'x') + "=" + std::string(10000, 'y') + "\n";
  const std::string manyLines = std::string(1 << 20, '\n') + "[A]\nK=1\n";
  const std::string manySections = [] {
    std::string s;
    for (int i = 0; i < 100000; ++i) s += "[S" + std::to_string(i) + "]\n";
    return s;
  }();
  for (const std::string* t : {&std::as_const(binary), &longLine, &manyLines, &manySections}) {
    IniFile ini = IniFile::Parse(*t);
    EXPECT_EQ(ini.Text(), *t);
    ini.Set("A", "K", "2");
    EXPECT_EQ(IniFile::Parse(ini.Text()).Get("A", "K"), "2");
  }
  EXPECT_EQ(IniFile::Parse(longLine).Get("A", std::string(10000, 'x'))->size(), 2047u);
}

}  // namespace
}  // namespace korvi
