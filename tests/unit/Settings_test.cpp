// LoadSettings and SaveSettings over a pager window as start-up leaves it: four
// desktops, entries 1..4 in use as selectors, every other entry unused.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "main/StartupOverrides.h"
#include "main/main.h"
#include "panel/FontText.h"
#include "panel/Settings.h"
#include "panel/TextEncoding.h"
#include "support/FakePlatform.h"

namespace korvi {
namespace {

class Settings : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  SharedState data;
  TWinListDialog winList{fake.Windows};
  TForm1 form{data, fake.Ref, winList};

  void SetUp() override {
    data.SetProgramDir("C:\\Korvi");
    for (int n = 1; n <= kButtonCount; ++n) {
      TExeButton& b = form.Button(n);
      b.Tag = n;
      b.Enabled = b.Visible = n <= 4;
      if (n <= kMaxDesktops) {
        b.IData = n;
        b.Caption = "Desktop " + std::to_string(n);
        b.ExeDisabled = true;
      }
    }
  }

  std::string& File() { return fake.Files.Files[data.SettingsPath]; }
  void Load(const std::string& text) {
    File() = text;
    LoadSettings(data, fake.Files);
  }
  bool Save() { return SaveSettings(data, fake.Files, fake.Desktop); }
  IniFile Saved() { return IniFile::Parse(File()); }
};

TEST_F(Settings, FirstStartWithoutAFileGivesTheDefaults) {
  LoadSettings(data, fake.Files);
  ApplyStartupOverrides(form);
  EXPECT_EQ(form.DockEdge(), edge::Bottom);
  EXPECT_EQ(form.Edge().Size(), 100);
  EXPECT_TRUE(form.Edge().Smooth());
  EXPECT_FALSE(form.StayOnTop());
  EXPECT_TRUE(form.Edge().AutoFull());
  EXPECT_EQ(form.Color(), clBtnFace);
  EXPECT_EQ(data.DesktopCount, 2);
  for (int n = 1; n <= kButtonCount; ++n) EXPECT_EQ(form.Button(n).Visible, n <= 2) << "entry " << n;
  for (int d = 1; d <= kMaxDesktops; ++d) {
    EXPECT_EQ(data.Wallpapers[d], "");
    EXPECT_EQ(data.PanelColors[d], 0x808080);
  }
  EXPECT_FALSE(form.Edge().Freeze()) << "Freeze is released after loading";
}

TEST_F(Settings, NewFileHoldsEveryKeyInOrder) {
  form.Button(2).Visible = false;  // in use but not shown: VISIBLE only
  data.Wallpapers[3] = "C:\\pics\\sea.bmp";
  ASSERT_TRUE(Save());
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
  EXPECT_FALSE(form.Edge().Freeze());
}

TEST_F(Settings, CollapsedPanelSavesItsExpandedSizeAndStaysExpanded) {
  form.Edge().SetSize(120);
  form.Edge().SetIsBig(false);
  ASSERT_NE(form.Edge().Size(), 120) << "precondition: collapsed to a strip";
  ASSERT_TRUE(Save());
  EXPECT_EQ(Saved().Get("FORM", "SIZE"), "120");
  EXPECT_TRUE(form.Edge().IsBig());
  EXPECT_FALSE(form.Edge().Freeze());
}

TEST_F(Settings, ButtonFaceColourSpellings) {
  form.SetColor(clBtnFace);
  ASSERT_TRUE(Save());
  EXPECT_EQ(Saved().Get("FORM", "COLOR"), "-2147483633");
  for (const char* spelling : {"-2147483633", "0x8000000F", "$8000000F", "$8000000f"}) {
    form.SetColor(clRed);
    Load(std::string("[FORM]\nCOLOR=") + spelling + "\n");
    EXPECT_EQ(form.Color(), clBtnFace) << spelling;
  }
}

TEST_F(Settings, FormKeysAreReadBack) {
  Load("[FORM]\nEDGE=3\nSIZE=64\nSMOOTH=0\nONTOP=1\nHIDE=0\nCOLOR=255\n[DESKTOP]\nCOUNT=7\n"
       "[WALLPAPER]\nFILE7=D:\\w.jpg\n[PANELCOLOR]\nCOLOR7=$00FF00\n");
  EXPECT_EQ(form.DockEdge(), edge::Left);
  EXPECT_EQ(form.Edge().Size(), 64);
  EXPECT_FALSE(form.Edge().Smooth());
  EXPECT_TRUE(form.StayOnTop());
  EXPECT_FALSE(form.Edge().AutoFull());
  EXPECT_EQ(form.Color(), clRed);
  EXPECT_EQ(data.DesktopCount, 7);
  EXPECT_EQ(data.Wallpapers[7], "D:\\w.jpg");
  EXPECT_EQ(data.PanelColors[7], 0x00FF00);
  EXPECT_EQ(data.PanelColors[6], 0x808080);
}

TEST_F(Settings, SizeOfZeroOrLessKeepsTheThickness) {
  form.Edge().SetSize(77);
  Load("[FORM]\nSIZE=0\n");
  EXPECT_EQ(form.Edge().Size(), 77);
  Load("[FORM]\nSIZE=-40\n");
  EXPECT_EQ(form.Edge().Size(), 77);
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
    Load(std::string("[FORM]\nEDGE=") + c.value + "\n[DESKTOP]\nCOUNT=" + c.value + "\n[BUTTON11]\nVISIBLE=1\nLAYOUT=" +
         c.value + "\n");
    EXPECT_EQ(form.DockEdge(), c.edge) << "EDGE=" << c.value;
    EXPECT_EQ(data.DesktopCount, c.count) << "COUNT=" << c.value;
    EXPECT_EQ(form.Button(11).Layout, c.layout) << "LAYOUT=" << c.value;
  }
}

TEST_F(Settings, VisibleEntryWithoutOtherKeysComesUpEmpty) {
  TExeButton& b = form.Button(12);
  b.Left = b.Top = 7;
  b.Caption = "old";
  b.SetExeName("C:\\old.exe");
  b.IData = 1000;
  Load("[BUTTON12]\nVISIBLE=1\n");
  EXPECT_TRUE(b.Enabled && b.Visible);
  EXPECT_EQ((Rect{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height}), (Rect{0, 0, 50, 50}));
  EXPECT_EQ(b.Caption, "");
  EXPECT_EQ(b.ExeName(), "");
  EXPECT_EQ(b.IData, 0);
  EXPECT_FALSE(b.ShowHint);
}

TEST_F(Settings, KeysReadAfterProgramWin) {
  Load("[BUTTON11]\nVISIBLE=1\nPROGRAM=C:\\Tools\\my.tool.exe\nSTART=D:\\Work\nARGS= -x \nGLYPH=C:\\i.dll\n"
       "INDEX=3\nCAPTION=Tool\nHINT=Runs it\nFLAT=1\nIDATA=1002\n");
  TExeButton& b = form.Button(11);
  EXPECT_EQ(b.ExeName(), "C:\\Tools\\my.tool.exe");
  EXPECT_EQ(b.ExeStart(), "D:\\Work\\");
  EXPECT_EQ(b.ExeArgs(), "-x");
  EXPECT_EQ(b.GlyphName(), "C:\\i.dll");
  EXPECT_EQ(b.IconIndex(), 3);
  EXPECT_EQ(b.Caption, "Tool");
  EXPECT_TRUE(b.ShowHint) << "a hint is shown when there is one";
  EXPECT_TRUE(b.Flat);
  EXPECT_EQ(b.IData, 1002);

  Load("[BUTTON11]\nVISIBLE=1\nPROGRAM=C:\\Tools\\my.tool.exe\n");
  EXPECT_EQ(b.Caption, "") << "CAPTION, read after PROGRAM, replaces the caption PROGRAM made";
  EXPECT_EQ(b.ExeStart(), "") << "so does START";
}

TEST_F(Settings, RemovedEntryKeepsItsOldKeysButIsNotRead) {
  Load("[BUTTON11]\nVISIBLE=1\nPROGRAM=C:\\a.exe\nCAPTION=A\n");
  form.Button(11).Enabled = form.Button(11).Visible = false;
  ASSERT_TRUE(Save());
  EXPECT_NE(File().find("[BUTTON11]\nVISIBLE=0\nPROGRAM=C:\\a.exe\nCAPTION=A\n"), std::string::npos) << File();

  TExeButton& b = form.Button(11);
  b.Caption = "from start-up";
  LoadSettings(data, fake.Files);
  EXPECT_FALSE(b.Enabled || b.Visible);
  EXPECT_EQ(b.Caption, "from start-up");
}

TEST_F(Settings, FontKeyDecodesInEntryOrder) {
  Load("[BUTTON11]\nVISIBLE=1\nFONT=Georgia, $000000FF, 14, BI--\n"
       "[BUTTON12]\nVISIBLE=1\nFONT=\n"
       "[BUTTON13]\nVISIBLE=1\nFONT=Tahoma\n");
  const TFont& a = form.Button(11).Font;
  EXPECT_EQ(a.Name, "Georgia");
  EXPECT_EQ(a.Color, clRed);
  EXPECT_EQ(a.Size, 14);
  EXPECT_TRUE(a.Bold && a.Italic && !a.Underline && !a.StrikeOut);
  const TFont& b = form.Button(12).Font;
  EXPECT_EQ(b.Name, "Georgia") << "an empty FONT keeps the face of the previous decode";
  EXPECT_EQ(b.Color, clBlack);
  EXPECT_EQ(b.Size, 10);
  EXPECT_FALSE(b.Bold || b.Italic);
  const TFont& c = form.Button(13).Font;
  EXPECT_EQ(c.Name, "Tahoma");
  EXPECT_EQ(c.Size, 10);
}

TEST_F(Settings, FaceNameWithACommaDoesNotSurvive) {
  form.Button(11).Enabled = form.Button(11).Visible = true;
  form.Button(11).Font.Name = "Comic, Sans";
  ASSERT_TRUE(Save());
  LoadSettings(data, fake.Files);
  EXPECT_EQ(form.Button(11).Font.Name, "Comic");
  EXPECT_EQ(form.Button(11).Font.Color, clBlack) << "\"Sans\" was taken as the colour";
}

TEST_F(Settings, TextsWithEdgeBlanksOrQuotesSurviveSaveAndLoad) {
  TExeButton& b = form.Button(11);
  b.Enabled = b.Visible = true;
  b.SetExeName("\"C:\\Program Files\\x.exe\"");
  b.Caption = "  indented";
  b.Hint = "'quoted'";
  data.Wallpapers[1] = "C:\\pic.bmp ";
  ASSERT_TRUE(Save());
  b.Caption = b.Hint = "";
  data.Wallpapers[1] = "";
  LoadSettings(data, fake.Files);
  EXPECT_EQ(b.ExeName(), "\"C:\\Program Files\\x.exe\"");
  EXPECT_EQ(b.Caption, "  indented");
  EXPECT_EQ(b.Hint, "'quoted'");
  EXPECT_EQ(data.Wallpapers[1], "C:\\pic.bmp ");
}

TEST_F(Settings, EntriesOneToTenAreAlwaysDesktopSelectors) {
  Load("[DESKTOP]\nCOUNT=5\n[BUTTON1]\nVISIBLE=0\n[BUTTON3]\nVISIBLE=1\nIDATA=0\n"
       "[BUTTON7]\nVISIBLE=1\nIDATA=1000\n[BUTTON20]\nVISIBLE=1\nIDATA=1001\n[BUTTON21]\nVISIBLE=1\nIDATA=0\n");
  data.CurrentDesktop = 4;
  int clicks = 0;
  ApplyStartupOverrides(form, [&](TExeButton&) { ++clicks; });
  for (int n = 1; n <= kMaxDesktops; ++n) {
    TExeButton& b = form.Button(n);
    EXPECT_EQ(b.IData, n) << "entry " << n;
    EXPECT_EQ(b.Enabled, n <= 5) << "entry " << n;
    EXPECT_EQ(b.Visible, n <= 5) << "entry " << n;
    ASSERT_TRUE(b.OnClick) << "entry " << n;
  }
  EXPECT_TRUE(form.Button(20).OnClick) << "a clock gets the pager's click handler";
  EXPECT_FALSE(form.Button(21).OnClick) << "a launcher does not";
  EXPECT_EQ(data.CurrentDesktop, 1);
}

TEST_F(Settings, SavingKeepsEverythingItDoesNotWriteByteForByte) {
  // A file as the pager writes it, then edited by hand: LF line ends, other
  // spellings and blanks, comments, keys and a section the pager does not know.
  form.Button(11).Enabled = form.Button(11).Visible = true;
  form.Button(11).SetExeName("C:\\Tools\\t.exe");
  form.Button(11).Hint = "a hint";
  data.PanelColors[2] = 0x123456;
  ASSERT_TRUE(Save());
  std::string text = File();
  for (size_t p; (p = text.find("\r\n")) != std::string::npos;) text.replace(p, 2, "\n");
  text.replace(text.find("EDGE=2"), 6, "edge = 2");
  text.replace(text.find("[BUTTON11]\n"), 11, "; my tools\n[ button11 ]\nNOTE=mine\n");
  text += "\n[PLUGIN]\nX=1\n; end\n";
  File() = text;

  SharedState data2;
  data2.SetProgramDir("C:\\Korvi");
  TWinListDialog winList2{fake.Windows};
  TForm1 form2{data2, fake.Ref, winList2};
  LoadSettings(data2, fake.Files);
  const int writesBefore = fake.Files.Writes;
  ASSERT_TRUE(SaveSettings(data2, fake.Files, fake.Desktop));
  EXPECT_EQ(File(), text) << "nothing changed, so nothing may differ";
  EXPECT_EQ(fake.Files.Writes, writesBefore) << "an unchanged file is not rewritten";

  form2.Button(11).Hint = "new hint";
  ASSERT_TRUE(SaveSettings(data2, fake.Files, fake.Desktop));
  std::string expected = text;
  expected.replace(expected.find("HINT=a hint"), 11, "HINT=new hint");
  EXPECT_EQ(File(), expected) << "only the changed value differs";
}

TEST_F(Settings, FailedWriteKeepsTheOldFileAndTellsTheUser) {
  Load("[FORM]\nEDGE=1\n");
  const std::string old = File();
  form.SetDockEdge(edge::Right);
  fake.Files.FailWrites = true;
  form.Edge().SetIsBig(false);
  EXPECT_FALSE(Save());
  EXPECT_EQ(File(), old);
  EXPECT_EQ(fake.Desktop.Errors, std::vector<std::string>{"Unable to write to C:\\Korvi\\Korvi8.ini"});
  EXPECT_FALSE(form.Edge().Freeze()) << "the panel may hide again";

  fake.Files.FailWrites = false;
  EXPECT_TRUE(Save()) << "a later save goes through";
  EXPECT_EQ(Saved().Get("FORM", "EDGE"), "4");
}

TEST_F(Settings, FileTooLargeIsNeitherLoadedNorOverwritten) {
  const std::string tooLarge = "[FORM]\nEDGE=1\n" + std::string(kSettingsFileLimit, ';');
  form.SetDockEdge(edge::Right);
  Load(tooLarge);
  EXPECT_EQ(form.DockEdge(), edge::Bottom) << "read as a missing file: defaults";
  EXPECT_FALSE(Save());
  EXPECT_EQ(File(), tooLarge) << "the user's file is left alone";
  EXPECT_EQ(fake.Desktop.Errors.size(), 1u);
}

// Files with a byte-order mark are read as Unicode, their values handed out in the
// ANSI code page (the fake's is Latin-1), and written back in their own encoding.
TEST_F(Settings, UnicodeFilesAreReadAndWrittenBackInTheirEncoding) {
  auto utf16 = [](const std::string& utf8, TextEncoding e) { return EncodeFromUtf8(utf8, e); };
  const std::string text = "; caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\r\n[FORM]\r\nEDGE=1\r\n"
                           "[BUTTON11]\r\nVISIBLE=1\r\nCAPTION=Caf\xC3\xA9 \xE2\x82\xAC\r\n";
  for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    SCOPED_TRACE(static_cast<int>(e));
    Load(utf16(text, e));
    EXPECT_EQ(form.DockEdge(), edge::Top);
    EXPECT_EQ(form.Button(11).Caption, "Caf\xE9 ?") << "in the ANSI code page; the euro sign is not in it";
    form.Button(11).Caption = "Th\xE9";
    form.SetDockEdge(edge::Left);
    ASSERT_TRUE(Save());
    ASSERT_EQ(DetectTextEncoding(File()), e) << "written back in the same encoding";
    const std::string back = DecodeToUtf8(File(), e);
    EXPECT_EQ(back.substr(0, 18), "; caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\r\n") << "other lines kept as they were";
    const IniFile ini = IniFile::Parse(back);
    EXPECT_EQ(ini.Get("FORM", "EDGE"), "3");
    EXPECT_EQ(ini.Get("BUTTON11", "CAPTION"), "Th\xC3\xA9");
    EXPECT_TRUE(fake.Desktop.Errors.empty());
  }
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
  LoadSettings(data, files);
  EXPECT_EQ(form.DockEdge(), edge::Bottom) << "runs on defaults";

  files.FailReads = false;  // the lock is gone
  EXPECT_FALSE(SaveSettings(data, files, fake.Desktop)) << "defaults must not replace the user's settings";
  EXPECT_EQ(files.Files[data.SettingsPath], users);
  EXPECT_EQ(fake.Desktop.Errors, std::vector<std::string>{"Unable to write to C:\\Korvi\\Korvi8.ini\nThe file was "
                                                          "left as it is because it could not be read when Korvi8 "
                                                          "started."})
      << "the first refusal says why";
  EXPECT_FALSE(SaveSettings(data, files, fake.Desktop));
  EXPECT_FALSE(SaveSettings(data, files, fake.Desktop));
  EXPECT_EQ(fake.Desktop.Errors.size(), 1u) << "later clicks on the panel do not bring the box back";
  EXPECT_EQ(files.Files[data.SettingsPath], users);

  files.Files.clear();  // the user removed the file: nothing left to lose
  EXPECT_TRUE(SaveSettings(data, files, fake.Desktop));
  EXPECT_EQ(IniFile::Parse(files.Files[data.SettingsPath]).Get("FORM", "EDGE"), "2");
}

TEST_F(Settings, FileOfExactlyTheLimitIsRead) {
  std::string text = "[FORM]\nEDGE=1\n";
  text += std::string(kSettingsFileLimit - text.size(), ';');
  Load(text);
  EXPECT_EQ(form.DockEdge(), edge::Top);
}

TEST_F(Settings, HostileFilesLoadWithoutHarm) {
  std::string binary;
  for (int i = 0; i < 200000; ++i) binary += static_cast<char>((i * 2654435761u) >> 24);
  const std::string longLines = "[BUTTON11]\nVISIBLE=1\nCAPTION=" + std::string(10000, 'c') + "\nFONT=" +
                                std::string(10000, ',') + "\nPROGRAM=" + std::string(10000, '.') + "\n";
  const std::string numbers = "[FORM]\nSIZE=99999999999\nCOLOR=0x123456789\n[DESKTOP]\nCOUNT=-2147483648\n"
                              "[BUTTON11]\nVISIBLE=$FFFFFFFF\nINDEX=-7\nWIDTH=-2147483648\n";
  for (const std::string* text : {&std::as_const(binary), &longLines, &numbers}) {
    Load(*text);
    EXPECT_TRUE(Save());
    EXPECT_EQ(IniFile::Parse(File()).Get("FORM", "EDGE"), std::to_string(form.DockEdge()));
  }
  // The last one, in detail.
  EXPECT_EQ(form.Edge().Size(), 100) << "an out-of-range size is no number";
  EXPECT_EQ(form.Color(), clBtnFace) << "nine hex digits are no number";
  EXPECT_EQ(data.DesktopCount, 1);
  EXPECT_TRUE(form.Button(11).Visible) << "$FFFFFFFF is -1, not 0";
  EXPECT_EQ(form.Button(11).IconIndex(), 0) << "icon indexes are never negative";

  Load(longLines);
  EXPECT_EQ(form.Button(11).Caption.size(), 2047u);
}

}  // namespace
}  // namespace korvi
