// Value encodings of the settings file: the integer rule, the font description
// string and the spin-edit value.
#include <gtest/gtest.h>

#include <string>

#include "panel/FontText.h"
#include "panel/IntegerText.h"
#include "panel/SpinValue.h"

namespace korvi {
namespace {

TEST(IntegerRule, SpellingsOfTheSameNumber) {
  struct Case {
    const char* text;
    int32_t value;
  } cases[] = {
      {"0", 0},
      {"42", 42},
      {"-42", -42},
      {"+42", 42},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"-2147483633", -2147483633},
      {"$8000000F", -2147483633},
      {"0x8000000F", -2147483633},
      {"0X8000000f", -2147483633},
      {"$80000008", -2147483640},
      {"$FFFFFFFF", -1},
      {"$7FFFFFFF", 2147483647},
      {"$0000000010", 16},
      {"-$10", -16},
      {"0x0", 0},
      {"  12", 12},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << "text \"" << c.text << "\"";
}

TEST(IntegerRule, TextsThatAreNoNumberGiveTheDefault) {
  const char* texts[] = {"",        " ",   "-",   "$",    "0x",       "12 ",        "1.5",        "abc",
                         "2147483648", "-2147483649", "99999999999", "$100000000", "0x1FFFFFFFF", "0x-1", "--1",
                         "1e3",     "0b1", "$G1", "1,000", "\x01" "1"};
  for (const char* t : texts) EXPECT_EQ(StrToIntDef(t, 77), 77) << "text \"" << t << "\"";
}

TEST(IntegerRule, WrittenInSignedDecimal) {
  EXPECT_EQ(IntToStr(clBtnFace), "-2147483633");
  EXPECT_EQ(IntToStr(0x808080), "8421504");
}

// ---------------------------------------------------------------------------------

TEST(FontToStr, DescribesFaceColourSizeAndStyle) {
  TFont f;
  f.Name = "Arial";
  f.Color = clWindowText;
  f.Size = 8;
  f.Bold = true;
  EXPECT_EQ(FontToStr(&f), "Arial, $80000008, 8, B---");
  f = TFont{};
  f.Name = "Courier New";
  f.Color = 0x00FF;
  f.Size = -12;
  f.Italic = f.Underline = f.StrikeOut = true;
  EXPECT_EQ(FontToStr(&f), "Courier New, $000000FF, -12, -IUS");
  EXPECT_EQ(FontToStr(nullptr), "");
}

struct FontCase {
  const char* text;
  std::string name;
  TColor color;
  int32_t size;
  const char* style;  // B I U S or -
};

TEST(StrToFont, DecodesFieldsFromTheFront) {
  const FontCase cases[] = {
      {"Arial, $80000008, 8, B---", "Arial", clWindowText, 8, "B---"},
      {"Times, -2147483640, 12, ----", "Times", clWindowText, 12, "----"},
      {"Tahoma", "Tahoma", clBlack, 10, "----"},
      {"  Verdana  ,0x0000FF,  9  , bi", "Verdana", clRed, 9, "BI--"},
      {"Arial, red, big, -I", "Arial", clBlack, 10, "-I--"},
      {"Arial, 1, 2, U", "Arial", 1, 2, "----"},  // U stands at position 1
      {"Arial, 1, 2, bIuS, extra, fields", "Arial", 1, 2, "BIUS"},
      {"Arial, 1, 2, xxxS", "Arial", 1, 2, "---S"},
      {"Comic, Sans, $000000FF, 8, ----", "Comic", 0, 255, "----"},  // the comma splits the face
  };
  for (const FontCase& c : cases) {
    TFont scratch;
    TFont f = StrToFont(scratch, c.text);
    std::string style = {f.Bold ? 'B' : '-', f.Italic ? 'I' : '-', f.Underline ? 'U' : '-', f.StrikeOut ? 'S' : '-'};
    EXPECT_EQ(f.Name, c.name) << c.text;
    EXPECT_EQ(f.Color, c.color) << c.text;
    EXPECT_EQ(f.Size, c.size) << c.text;
    EXPECT_EQ(style, c.style) << c.text;
  }
}

TEST(StrToFont, EmptyNameKeepsThePreviousFaceAndOtherAttributes) {
  TFont scratch;
  scratch.Charset = 204;
  EXPECT_EQ(StrToFont(scratch, "").Name, "Arial") << "the pager's face on the first call";
  StrToFont(scratch, "Georgia, $00000001, 14, BIUS");
  TFont& f = StrToFont(scratch, "");
  EXPECT_EQ(&f, &scratch) << "the scratch font is the result";
  EXPECT_EQ(f.Name, "Georgia");
  EXPECT_EQ(f.Color, clBlack);
  EXPECT_EQ(f.Size, 10);
  EXPECT_FALSE(f.Bold || f.Italic || f.Underline || f.StrikeOut);
  EXPECT_EQ(f.Charset, 204) << "character set is the scratch font's own";
}

TEST(StrToFont, ReadsBackWhatFontToStrWrote) {
  TFont f;
  f.Name = "Lucida Console";
  f.Color = static_cast<TColor>(0x80000012);
  f.Size = 11;
  f.Underline = true;
  TFont scratch;
  EXPECT_EQ(StrToFont(scratch, FontToStr(&f)), f);
}

// ---------------------------------------------------------------------------------

TEST(SpinValue, TextClampedToTheRange) {
  struct Case {
    const char* text;
    int32_t min, max, value;
  } cases[] = {
      {"5", 0, 10, 5},   {"-3", 0, 10, 0},  {"30", 0, 10, 10}, {"abc", 2, 10, 2},
      {"", 2, 10, 2},    {"$A", 0, 100, 10}, {"7", 5, 3, 3} /* empty range: the maximum wins */,
      {"99999999999", 1, 50, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SpinValue({c.text, c.min, c.max}), c.value) << "text \"" << c.text << "\" in " << c.min << ".." << c.max;
}

}  // namespace
}  // namespace korvi
