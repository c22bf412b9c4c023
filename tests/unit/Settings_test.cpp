// The settings as a value: bytes in, values out (ReadSettings), values and the old
// bytes in, bytes out (WriteSettings), and the file's load and save around them.
// No pager window is built; SettingsForm_test.cpp gives the values to a live one.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "buttons/ButtonRecord.h"
#include "panel/Settings.h"
#include "panel/TextEncoding.h"
#include "support/FakePlatform.h"

namespace korvi {
namespace {

using namespace std::string_literals;

class Settings : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  SharedState data;

  void SetUp() override { data.SetProgramDir("C:\\Korvi"); }
  std::string& File() { return fake.Files.Files[data.SettingsPath]; }
  PagerSettings Read(std::string_view bytes) { return ReadSettings(bytes, fake.Files); }
  std::string Write(const PagerSettings& s, std::string_view old = "") { return WriteSettings(s, old, fake.Files); }
  bool Save(const PagerSettings& s) { return SaveSettings(s, data, fake.Files, fake.Desktop); }
  // Record n, shown and in use.
  static ButtonRecord& Shown(PagerSettings& s, int n) {
    ButtonRecord& r = s.Buttons[n - 1];
    r.Enabled = r.Visible = true;
    return r;
  }
  // The settings of a pager as start-up leaves it: four desktops, entries 1..4 in
  // use as selectors, every other entry unused.
  static PagerSettings AsStarted() {
    PagerSettings s;
    s.DesktopCount = 4;
    for (int n = 1; n <= 4; ++n) {
      ButtonRecord& r = Shown(s, n);
      r.Width = 23, r.Height = 22;
      r.Caption = "Desktop " + std::to_string(n);
      r.IData = n;
    }
    return s;
  }
};

TEST_F(Settings, NoFileReadsAsTheDefaults) {
  const PagerSettings s = Read("");
  EXPECT_EQ(s.Form, (FormSettings{edge::Bottom, 100, true, false, true, clBtnFace}));
  EXPECT_EQ(s.DesktopCount, 2);
  for (int n = 1; n <= kButtonCount; ++n) EXPECT_FALSE(s.Buttons[n - 1].Enabled) << "entry " << n;
  for (int d = 1; d <= kMaxDesktops; ++d) {
    EXPECT_EQ(s.Wallpapers[d], "");
    EXPECT_EQ(s.PanelColors[d], 0x808080);
  }
}

TEST_F(Settings, NewFileHoldsEveryKeyInOrder) {
  PagerSettings s = AsStarted();
  s.Buttons[1].Visible = false;  // in use but not shown: VISIBLE only
  s.Wallpapers[3] = "C:\\pics\\sea.bmp";
  ASSERT_TRUE(Save(s));
  const std::string& text = File();
  EXPECT_EQ(text.substr(0, text.find("[BUTTON2]")),
            "[FORM]\r\nEDGE=2\r\nSIZE=100\r\nSMOOTH=1\r\nONTOP=0\r\nHIDE=1\r\nCOLOR=-2147483633\r\n"
            "[DESKTOP]\r\nCOUNT=4\r\n"
            "[BUTTON1]\r\nVISIBLE=1\r\nLEFT=0\r\nTOP=0\r\nWIDTH=23\r\nHEIGHT=22\r\nFLAT=0\r\nPROGRAM=\r\nSTART=\r\n"
            "ARGS=\r\nGLYPH=\r\nINDEX=0\r\nCAPTION=Desktop 1\r\nHINT=\r\nLAYOUT=0\r\n"
            "FONT=Arial, $80000008, 8, ----\r\nIDATA=1\r\n");
  EXPECT_NE(text.find("[BUTTON2]\r\nVISIBLE=1\r\n[BUTTON3]"), std::string::npos);
  EXPECT_NE(text.find("[BUTTON128]\r\nVISIBLE=0\r\n[WALLPAPER]\r\nFILE1=\r\nFILE2=\r\nFILE3=C:\\pics\\sea.bmp\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[PANELCOLOR]\r\nCOLOR1=0\r\n"), std::string::npos);
  EXPECT_EQ(fake.Files.Writes, 1) << "the file is written once";
}

TEST_F(Settings, ButtonFaceColourSpellings) {
  PagerSettings s;
  s.Form.Color = clBtnFace;
  EXPECT_EQ(IniFile::Parse(Write(s)).Get("FORM", "COLOR"), "-2147483633");
  for (const char* spelling : {"-2147483633", "0x8000000F", "$8000000F", "$8000000f"})
    EXPECT_EQ(Read(std::string("[FORM]\nCOLOR=") + spelling + "\n").Form.Color, clBtnFace) << spelling;
}

TEST_F(Settings, FormKeysAreRead) {
  const PagerSettings s = Read("[FORM]\nEDGE=3\nSIZE=64\nSMOOTH=0\nONTOP=1\nHIDE=0\nCOLOR=255\n[DESKTOP]\nCOUNT=7\n"
                               "[WALLPAPER]\nFILE7=D:\\w.jpg\n[PANELCOLOR]\nCOLOR7=$00FF00\n");
  EXPECT_EQ(s.Form, (FormSettings{edge::Left, 64, false, true, false, clRed}));
  EXPECT_EQ(s.DesktopCount, 7);
  EXPECT_EQ(s.Wallpapers[7], "D:\\w.jpg");
  EXPECT_EQ(s.PanelColors[7], 0x00FF00);
  EXPECT_EQ(s.PanelColors[6], 0x808080);
}

TEST_F(Settings, OutOfRangeNumbersAreBroughtIntoRange) {
  struct Case {
    const char* value;
    uint8_t edge;   // as EDGE
    int32_t count;  // as COUNT
    uint8_t layout; // as LAYOUT
  } cases[] = {
      {"258", edge::Bottom, 10, 2},  // low byte 2
      {"259", edge::Left, 10, 3},
      {"1", edge::Top, 1, 1},
      {"4", edge::Right, 4, 0},      // LAYOUT 4 names no layout
      {"0", edge::Bottom, 1, 0},
      {"5", edge::Bottom, 5, 0},
      {"-1", edge::Bottom, 1, 0},    // low byte 255
      {"11", edge::Bottom, 10, 0},
      {"junk", edge::Bottom, 2, 0},  // defaults
  };
  for (const Case& c : cases) {
    const PagerSettings s = Read(std::string("[FORM]\nEDGE=") + c.value + "\n[DESKTOP]\nCOUNT=" + c.value +
                                 "\n[BUTTON11]\nVISIBLE=1\nLAYOUT=" + c.value + "\n");
    EXPECT_EQ(s.Form.Edge, c.edge) << "EDGE=" << c.value;
    EXPECT_EQ(s.DesktopCount, c.count) << "COUNT=" << c.value;
    EXPECT_EQ(s.Buttons[10].Layout, c.layout) << "LAYOUT=" << c.value;
  }
}

TEST_F(Settings, VisibleEntryWithoutOtherKeysComesUpEmpty) {
  TExeButton b;
  b.Left = b.Top = 7;
  b.Caption = "old";
  b.SetExeName("C:\\old.exe");
  b.IData = 1000;
  ApplyRecord(Read("[BUTTON12]\nVISIBLE=1\n").Buttons[11], b);
  EXPECT_TRUE(b.Enabled && b.Visible);
  EXPECT_EQ((Rect{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height}), (Rect{0, 0, 50, 50}));
  EXPECT_EQ(b.Caption, "");
  EXPECT_EQ(b.ExeName(), "");
  EXPECT_EQ(b.IData, 0);
  EXPECT_FALSE(b.ShowHint);
}

TEST_F(Settings, KeysReadAfterProgramWin) {
  TExeButton b;
  ApplyRecord(Read("[BUTTON11]\nVISIBLE=1\nPROGRAM=C:\\Tools\\my.tool.exe\nSTART=D:\\Work\nARGS= -x \n"
                   "GLYPH=C:\\i.dll\nINDEX=3\nCAPTION=Tool\nHINT=Runs it\nFLAT=1\nIDATA=1002\n")
                  .Buttons[10],
              b);
  EXPECT_EQ(b.ExeName(), "C:\\Tools\\my.tool.exe");
  EXPECT_EQ(b.ExeStart(), "D:\\Work\\");
  EXPECT_EQ(b.ExeArgs(), "-x");
  EXPECT_EQ(b.GlyphName(), "C:\\i.dll");
  EXPECT_EQ(b.IconIndex(), 3);
  EXPECT_EQ(b.Caption, "Tool");
  EXPECT_TRUE(b.ShowHint) << "a hint is shown when there is one";
  EXPECT_TRUE(b.Flat);
  EXPECT_EQ(b.IData, 1002);

  ApplyRecord(Read("[BUTTON11]\nVISIBLE=1\nPROGRAM=C:\\Tools\\my.tool.exe\nCAPTION=\nSTART=\n").Buttons[10], b);
  EXPECT_EQ(b.Caption, "") << "CAPTION, read after PROGRAM, replaces the caption PROGRAM made, even empty";
  EXPECT_EQ(b.ExeStart(), "") << "so does START";
  EXPECT_EQ(b.GlyphName(), "C:\\Tools\\my.tool.exe") << "a GLYPH left out keeps the one PROGRAM made";
}

TEST_F(Settings, ShownEntryWithoutAPlaceReadsBackWithoutOne) {
  const std::string old = "[BUTTON5]\nVISIBLE=1\n";
  const PagerSettings s = Read(old);
  EXPECT_FALSE(s.Buttons[4].HasPlace);
  EXPECT_TRUE(Read("[BUTTON5]\nVISIBLE=1\nTOP=3\n").Buttons[4].HasPlace) << "one coordinate is a place";
  const std::string text = Write(s, old);
  for (const char* key : {"LEFT=", "WIDTH=", "HEIGHT=", "CAPTION=", "FONT="})
    EXPECT_EQ(text.find(key), std::string::npos) << key << " was not in the file:\n" << text;
  EXPECT_EQ(Read(text), s);
  // What the pager saves from a live button always has its place.
  TExeButton b;
  b.Visible = b.Enabled = true;
  b.Top = 33;
  PagerSettings live;
  live.Buttons[4] = RecordOf(b);
  EXPECT_NE(Write(live, old).find("LEFT=0\nTOP=33\n"), std::string::npos);
}

TEST_F(Settings, RemovedEntryKeepsItsOldKeysButIsNotRead) {
  const std::string old = "[BUTTON11]\nVISIBLE=1\nPROGRAM=C:\\a.exe\nCAPTION=A\n";
  PagerSettings s = Read(old);
  s.Buttons[10].Enabled = s.Buttons[10].Visible = false;
  const std::string text = Write(s, old);
  EXPECT_NE(text.find("[BUTTON11]\nVISIBLE=0\nPROGRAM=C:\\a.exe\nCAPTION=A\n"), std::string::npos) << text;

  TExeButton b;
  b.Caption = "from start-up";
  ApplyRecord(Read(text).Buttons[10], b);
  EXPECT_FALSE(b.Enabled || b.Visible);
  EXPECT_EQ(b.Caption, "from start-up");
}

TEST_F(Settings, FontKeyDecodesInEntryOrder) {
  const PagerSettings s = Read("[BUTTON11]\nVISIBLE=1\nFONT=Georgia, $000000FF, 14, BI--\n"
                               "[BUTTON12]\nVISIBLE=1\nFONT=\n"
                               "[BUTTON13]\nVISIBLE=1\nFONT=Tahoma\n");
  const TFont& a = s.Buttons[10].Font;
  EXPECT_EQ(a.Name, "Georgia");
  EXPECT_EQ(a.Color, clRed);
  EXPECT_EQ(a.Size, 14);
  EXPECT_TRUE(a.Bold && a.Italic && !a.Underline && !a.StrikeOut);
  const TFont& b = s.Buttons[11].Font;
  EXPECT_EQ(b.Name, "Georgia") << "an empty FONT keeps the face of the previous decode";
  EXPECT_EQ(b.Color, clBlack);
  EXPECT_EQ(b.Size, 10);
  EXPECT_FALSE(b.Bold || b.Italic);
  const TFont& c = s.Buttons[12].Font;
  EXPECT_EQ(c.Name, "Tahoma");
  EXPECT_EQ(c.Size, 10);
}

TEST_F(Settings, FaceNameWithACommaDoesNotSurvive) {
  PagerSettings s;
  Shown(s, 11).Font.Name = "Comic, Sans";
  const PagerSettings back = Read(Write(s));
  EXPECT_EQ(back.Buttons[10].Font.Name, "Comic");
  EXPECT_EQ(back.Buttons[10].Font.Color, clBlack) << "\"Sans\" was taken as the colour";
}

TEST_F(Settings, TextsWithEdgeBlanksOrQuotesSurviveWriteAndRead) {
  PagerSettings s;
  ButtonRecord& r = Shown(s, 11);
  r.Program = "\"C:\\Program Files\\x.exe\"";
  r.Caption = "  indented";
  r.Hint = "'quoted'";
  s.Wallpapers[1] = "C:\\pic.bmp ";
  const PagerSettings back = Read(Write(s));
  EXPECT_EQ(back.Buttons[10].Program, "\"C:\\Program Files\\x.exe\"");
  EXPECT_EQ(back.Buttons[10].Caption, "  indented");
  EXPECT_EQ(back.Buttons[10].Hint, "'quoted'");
  EXPECT_EQ(back.Wallpapers[1], "C:\\pic.bmp ");
}

TEST_F(Settings, WritingKeepsEverythingItDoesNotWriteByteForByte) {
  // A file as the pager writes it, then edited by hand: LF line ends, other
  // spellings and blanks, comments, keys and a section the pager does not know.
  PagerSettings s = AsStarted();
  Shown(s, 11).Program = "C:\\Tools\\t.exe";
  s.Buttons[10].Hint = "a hint";
  s.PanelColors[2] = 0x123456;
  std::string text = Write(s);
  for (size_t p; (p = text.find("\r\n")) != std::string::npos;) text.replace(p, 2, "\n");
  text.replace(text.find("EDGE=2"), 6, "edge = 2");
  text.replace(text.find("[BUTTON11]\n"), 11, "; my tools\n[ button11 ]\nNOTE=mine\n");
  text += "\n[PLUGIN]\nX=1\n; end\n";

  PagerSettings read = Read(text);
  EXPECT_EQ(Write(read, text), text) << "nothing changed, so nothing may differ";
  File() = text;
  ASSERT_TRUE(Save(read));
  EXPECT_EQ(fake.Files.Writes, 0) << "an unchanged file is not rewritten";

  read.Buttons[10].Hint = "new hint";
  std::string expected = text;
  expected.replace(expected.find("HINT=a hint"), 11, "HINT=new hint");
  EXPECT_EQ(Write(read, text), expected) << "only the changed value differs";
}

TEST_F(Settings, FailedWriteKeepsTheOldFileAndTellsTheUser) {
  File() = "[FORM]\nEDGE=1\n";
  PagerSettings s = LoadSettings(data, fake.Files);
  s.Form.Edge = edge::Right;
  fake.Files.FailWrites = true;
  EXPECT_FALSE(Save(s));
  EXPECT_EQ(File(), "[FORM]\nEDGE=1\n");
  EXPECT_EQ(fake.Desktop.Errors, std::vector<std::string>{"Unable to write to C:\\Korvi\\Korvi8.ini"});

  fake.Files.FailWrites = false;
  EXPECT_TRUE(Save(s)) << "a later save goes through";
  EXPECT_EQ(IniFile::Parse(File()).Get("FORM", "EDGE"), "4");
}

TEST_F(Settings, FileTooLargeIsNeitherLoadedNorOverwritten) {
  const std::string tooLarge = "[FORM]\nEDGE=1\n" + std::string(kSettingsFileLimit, ';');
  File() = tooLarge;
  PagerSettings s = LoadSettings(data, fake.Files);
  EXPECT_EQ(s.Form.Edge, edge::Bottom) << "read as a missing file: defaults";
  s.Form.Edge = edge::Right;
  EXPECT_FALSE(Save(s));
  EXPECT_EQ(File(), tooLarge) << "the user's file is left alone";
  EXPECT_EQ(fake.Desktop.Errors.size(), 1u);
}

// Every encoding of the file gives the program UTF-8 and takes it back: lines the
// pager does not change stay byte for byte, and a changed value is written in the
// file's own encoding (the fake's ANSI code page is Latin-1).
TEST_F(Settings, TextRoundTripsInEveryEncoding) {
  const std::string cafe = "Caf\xC3\xA9", tick = "\xE2\x9C\x93", kanji = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
  const std::string cyrillic = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82";  // "Test" in Russian
  struct Case {
    TextEncoding encoding;
    std::string caption, hint, newCaption;  // what the file holds, as UTF-8
  };
  const Case cases[] = {
      {TextEncoding::Ansi, cafe, "\xC2\xBD", "Th\xC3\xA9"},
      {TextEncoding::Utf8, cafe + " " + tick, kanji, cyrillic + " " + tick},
      {TextEncoding::Utf16LE, cafe + " " + tick, kanji, cyrillic + " \xF0\x9F\x98\x80"},
      {TextEncoding::Utf16BE, cafe + " " + tick, kanji, cyrillic},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.encoding));
    const bool ansi = c.encoding == TextEncoding::Ansi;
    std::string text = "; " + c.caption + "\r\n[FORM]\r\nEDGE=1\r\n[BUTTON11]\r\nVISIBLE=1\r\nCAPTION=" + c.caption +
                       "\r\nHINT=" + c.hint + "\r\n[Mine]\r\nnote=" + c.hint + "\r\n";
    std::string bytes;
    if (ansi)
      ASSERT_TRUE(fake.Files.Utf8ToAnsi(text, bytes));
    else
      bytes = EncodeFromUtf8(text, c.encoding);
    PagerSettings s = Read(bytes);
    EXPECT_EQ(s.Buttons[10].Caption, c.caption);
    EXPECT_EQ(s.Buttons[10].Hint, c.hint);
    bytes = Write(s, bytes);  // the keys the file lacked are added; every value read is kept
    EXPECT_TRUE(Write(Read(bytes), bytes) == bytes) << "a second save changes nothing";

    s.Buttons[10].Caption = c.newCaption;
    s.Form.Edge = edge::Left;
    std::vector<std::string> refused;
    const std::string written = WriteSettings(s, bytes, fake.Files, &refused);
    EXPECT_TRUE(refused.empty());
    ASSERT_EQ(DetectTextEncoding(written), c.encoding) << "written back in the same encoding";
    std::string back = ansi ? fake.Files.AnsiToUtf8(written) : DecodeToUtf8(written, c.encoding);
    const std::string changed = "CAPTION=" + c.newCaption + "\r\n";
    const std::size_t at = text.find("CAPTION=");
    text.replace(at, text.find('\n', at) + 1 - at, changed);
    text.replace(text.find("EDGE=1"), 6, "EDGE=3");
    for (const char* line : {"; ", "HINT=", "note="}) {
      const std::size_t from = text.find(line);
      EXPECT_NE(back.find(text.substr(from, text.find('\n', from) + 1 - from)), std::string::npos)
          << "kept: " << line;
    }
    EXPECT_NE(back.find(changed), std::string::npos);
    EXPECT_EQ(Read(written).Buttons[10].Caption, c.newCaption);
  }
}

// Text an ANSI file's code page cannot hold is never written as "?": its old line
// stays, the save says which value was left out, and the places where text is typed
// can ask beforehand. A file that does not exist yet becomes UTF-8 when it needs to.
TEST_F(Settings, AnsiFileRefusesTextItsCodePageLacks) {
  const std::string cyrillic = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82";
  const std::string before = "[FORM]\r\nEDGE=1\r\n[BUTTON11]\r\nVISIBLE=1\r\nCAPTION=Caf\xE9\r\n";
  File() = before;
  PagerSettings s = LoadSettings(data, fake.Files);
  EXPECT_TRUE(SettingsFileCanHold(data, fake.Files, "Th\xC3\xA9"));
  EXPECT_FALSE(SettingsFileCanHold(data, fake.Files, cyrillic));
  EXPECT_FALSE(SettingsFileCanHold(data, fake.Files, "ab\xC3")) << "bytes that are no UTF-8";
  s.Buttons[10].Caption = cyrillic;
  s.Form.Edge = edge::Right;
  ASSERT_TRUE(Save(s));
  EXPECT_EQ(File().rfind("[FORM]\r\nEDGE=4\r\n", 0), 0u) << "the rest is saved";
  EXPECT_NE(File().find("[BUTTON11]\r\nVISIBLE=1\r\nCAPTION=Caf\xE9\r\n"), std::string::npos) << "the caption line is kept";
  EXPECT_EQ(File().find('?'), std::string::npos);
  ASSERT_EQ(fake.Desktop.Errors.size(), 1u);
  EXPECT_NE(fake.Desktop.Errors[0].find("[BUTTON11] CAPTION"), std::string::npos) << fake.Desktop.Errors[0];

  for (const char* other : {"\xEF\xBB\xBF[FORM]\r\n", ""}) {
    File() = other;
    EXPECT_TRUE(SettingsFileCanHold(data, fake.Files, cyrillic)) << "a UTF-8 file holds anything";
  }
  fake.Files.Files.clear();
  EXPECT_TRUE(SettingsFileCanHold(data, fake.Files, cyrillic)) << "a missing file becomes what it needs";
  ASSERT_TRUE(Save(s));
  EXPECT_EQ(DetectTextEncoding(File()), TextEncoding::Utf8) << "a new file that needs it is UTF-8";
  EXPECT_EQ(Read(File()).Buttons[10].Caption, cyrillic);
  s.Buttons[10].Caption = "Caf\xC3\xA9";
  fake.Files.Files.clear();
  ASSERT_TRUE(Save(s));
  EXPECT_EQ(DetectTextEncoding(File()), TextEncoding::Ansi) << "otherwise ANSI, as before";
  EXPECT_NE(File().find("CAPTION=Caf\xE9\r\n"), std::string::npos);
}

// Bytes that are no UTF-8 in a UTF-8 file, and surrogates without their pair in a
// UTF-16 file, reach the program as they are and go back unchanged: a save that
// changes other values leaves their lines alone, and an odd last byte of UTF-16 too.
TEST_F(Settings, BrokenTextLinesStayByteForByte) {
  const std::string bytes = "\xEF\xBB\xBF[Mine]\r\nbad=\xFF\xFE\x80\r\n[FORM]\r\nEDGE=1\r\n"
                            "[BUTTON11]\r\nVISIBLE=1\r\nCAPTION=ab\xC3\r\nHINT=\xED\xA0\x80\r\n";
  PagerSettings s = Read(bytes);
  s.Form.Edge = edge::Bottom;
  const std::string written = Write(s, bytes);
  for (const char* line : {"bad=\xFF\xFE\x80\r\n", "CAPTION=ab\xC3\r\n", "HINT=\xED\xA0\x80\r\n", "EDGE=2\r\n"})
    EXPECT_NE(written.find(line), std::string::npos) << line;

  const std::string lone = "b\0a\0d\0=\0\x00\xD8x\0\r\0\n\0"s;  // "bad=" a high surrogate alone, "x"
  const std::string utf16 = "\xFF\xFE[\0M\0]\0\r\0\n\0"s + lone + "[\0F\0O\0R\0M\0]\0\r\0\n\0E\0D\0G\0E\0=\0001\0\r\0\n\0\x7F"s;
  s = Read(utf16);
  EXPECT_EQ(s.Form.Edge, edge::Top);
  s.Form.Edge = edge::Bottom;
  const std::string back = Write(s, utf16);
  EXPECT_NE(back.find(lone), std::string::npos) << "the lone surrogate's line";
  EXPECT_EQ(back.back(), '\x7F') << "the odd last byte";
  EXPECT_EQ(back.size() % 2, 1u);
  EXPECT_NE(DecodeToUtf8(back, TextEncoding::Utf16LE).find("EDGE=2"), std::string::npos);
}

// A file system whose reads fail while FailReads is set (a locked file).
class LockableFiles : public test::FakeFileSystem {
 public:
  bool FailReads = false;
  ReadResult ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) override {
    if (FailReads && Files.count(path)) return ReadResult::Failed;
    return FakeFileSystem::ReadWholeFile(path, content, limit);
  }
};

TEST_F(Settings, FileUnreadableAtStartIsNotOverwrittenWhenItBecomesReadable) {
  LockableFiles files;
  const std::string users = "[FORM]\r\nEDGE=1\r\n[BUTTON11]\r\nVISIBLE=1\r\nPROGRAM=C:\\mine.exe\r\n";
  files.Files[data.SettingsPath] = users;
  files.FailReads = true;
  const PagerSettings defaults = LoadSettings(data, files);
  EXPECT_EQ(defaults.Form.Edge, edge::Bottom) << "runs on defaults";

  files.FailReads = false;  // the lock is gone
  EXPECT_FALSE(SaveSettings(defaults, data, files, fake.Desktop)) << "defaults must not replace the user's settings";
  EXPECT_EQ(files.Files[data.SettingsPath], users);
  EXPECT_EQ(fake.Desktop.Errors, std::vector<std::string>{"Unable to write to C:\\Korvi\\Korvi8.ini\nThe file was "
                                                          "left as it is because it could not be read when Korvi8 "
                                                          "started."})
      << "the first refusal says why";
  EXPECT_FALSE(SaveSettings(defaults, data, files, fake.Desktop));
  EXPECT_FALSE(SaveSettings(defaults, data, files, fake.Desktop));
  EXPECT_EQ(fake.Desktop.Errors.size(), 1u) << "later clicks on the panel do not bring the box back";
  EXPECT_EQ(files.Files[data.SettingsPath], users);
  EXPECT_FALSE(SaveSettings(defaults, data, files, fake.Desktop, SaveMoment::Exit));
  ASSERT_EQ(fake.Desktop.Errors.size(), 2u) << "Exit says it once more";
  EXPECT_EQ(fake.Desktop.Errors[1], "The settings were not saved to C:\\Korvi\\Korvi8.ini\nThe file was left as it "
                                    "is because it could not be read when Korvi8 started.");
  EXPECT_EQ(files.Files[data.SettingsPath], users);

  files.Files.clear();  // the user removed the file: nothing left to lose
  EXPECT_TRUE(SaveSettings(defaults, data, files, fake.Desktop));
  EXPECT_EQ(IniFile::Parse(files.Files[data.SettingsPath]).Get("FORM", "EDGE"), "2");
}

TEST_F(Settings, FileOfExactlyTheLimitIsRead) {
  std::string text = "[FORM]\nEDGE=1\n";
  text += std::string(kSettingsFileLimit - text.size(), ';');
  File() = text;
  EXPECT_EQ(LoadSettings(data, fake.Files).Form.Edge, edge::Top);
}

TEST_F(Settings, HostileFilesReadAndWriteWithoutHarm) {
  std::string binary;
  for (int i = 0; i < 200000; ++i) binary += static_cast<char>((i * 2654435761u) >> 24);
  const std::string longLines = "[BUTTON11]\nVISIBLE=1\nCAPTION=" + std::string(10000, 'c') + "\nFONT=" +
                                std::string(10000, ',') + "\nPROGRAM=" + std::string(10000, '.') + "\n";
  const std::string numbers = "[FORM]\nSIZE=99999999999\nCOLOR=0x123456789\n[DESKTOP]\nCOUNT=-2147483648\n"
                              "[BUTTON11]\nVISIBLE=$FFFFFFFF\nINDEX=-7\nWIDTH=-2147483648\n";
  for (const std::string* text : {&std::as_const(binary), &longLines, &numbers}) {
    const PagerSettings s = Read(*text);
    EXPECT_EQ(IniFile::Parse(Write(s, *text)).Get("FORM", "EDGE"), std::to_string(s.Form.Edge));
  }
  // The last one, in detail.
  const PagerSettings s = Read(numbers);
  EXPECT_EQ(s.Form.Size, 100) << "an out-of-range size is no number";
  EXPECT_EQ(s.Form.Color, clBtnFace) << "nine hex digits are no number";
  EXPECT_EQ(s.DesktopCount, 1);
  EXPECT_TRUE(s.Buttons[10].Visible) << "$FFFFFFFF is -1, not 0";
  TExeButton b;
  ApplyRecord(s.Buttons[10], b);
  EXPECT_EQ(b.IconIndex(), 0) << "icon indexes are never negative";

  EXPECT_EQ(Read(longLines).Buttons[10].Caption.size(), 2047u);
}

}  // namespace
}  // namespace korvi
