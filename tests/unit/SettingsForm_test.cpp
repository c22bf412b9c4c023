// The settings given to a live pager window (Apply) and taken from it (Snapshot):
// the docking component's rules, the selectors made again, the Freeze of a load or
// save, and a load and save through the live objects that changes no byte.
#include <gtest/gtest.h>

#include <string>

#include "panel/Settings.h"
#include "support/PagerRig.h"

namespace korvi {
namespace {

// Most cases give settings to a window that has not started (no Start), as a
// load at start-up finds it.
class SettingsForm : public ::testing::Test, protected test::PagerRig {
 protected:
  void SetUp() override { data.SetProgramDir("C:\\Korvi"); }
  std::string& File() { return fake.Files.Files[kIni]; }
  PagerSettings Read(std::string_view bytes) { return ReadSettings(bytes, fake.Files); }
};

TEST_F(SettingsForm, FirstStartWithoutAFileGivesTheDefaults) {
  Start();
  EXPECT_EQ(form.DockEdge(), edge::Bottom);
  EXPECT_EQ(form.Edge().Size(), 100);
  EXPECT_TRUE(form.Edge().Smooth());
  EXPECT_FALSE(form.StayOnTop());
  EXPECT_TRUE(form.Edge().AutoFull());
  EXPECT_EQ(form.Color(), clBtnFace);
  EXPECT_EQ(data.DesktopCount, 2);
  for (int n = 1; n <= kButtonCount; ++n) EXPECT_EQ(form.Button(n).Visible, n <= 2) << "entry " << n;
  EXPECT_FALSE(form.Edge().Freeze()) << "Freeze is released after loading";
}

TEST_F(SettingsForm, FormKeysReachTheWindowAndItsDockingComponent) {
  form.Apply(Read("[FORM]\nEDGE=3\nSIZE=64\nSMOOTH=0\nONTOP=1\nHIDE=0\nCOLOR=255\n[DESKTOP]\nCOUNT=7\n"
                  "[WALLPAPER]\nFILE7=D:\\w.jpg\n[PANELCOLOR]\nCOLOR7=$00FF00\n"));
  EXPECT_EQ(form.DockEdge(), edge::Left);
  EXPECT_EQ(form.Edge().Size(), 64);
  EXPECT_FALSE(form.Edge().Smooth());
  EXPECT_TRUE(form.StayOnTop());
  EXPECT_FALSE(form.Edge().AutoFull());
  EXPECT_EQ(form.Color(), clRed);
  EXPECT_EQ(data.DesktopCount, 7);
  EXPECT_EQ(data.Wallpapers[7], "D:\\w.jpg");
  EXPECT_EQ(data.PanelColors[7], 0x00FF00);
}

TEST_F(SettingsForm, SizeOfZeroOrLessKeepsTheThickness) {
  form.Edge().SetSize(77);
  form.Apply(Read("[FORM]\nSIZE=0\n"));
  EXPECT_EQ(form.Edge().Size(), 77);
  form.Apply(Read("[FORM]\nSIZE=-40\n"));
  EXPECT_EQ(form.Edge().Size(), 77);
}

TEST_F(SettingsForm, EntriesOneToTenAreAlwaysDesktopSelectors) {
  data.CurrentDesktop = 4;
  form.Apply(Read("[DESKTOP]\nCOUNT=5\n[BUTTON1]\nVISIBLE=0\n[BUTTON3]\nVISIBLE=1\nIDATA=0\n"
                  "[BUTTON7]\nVISIBLE=1\nIDATA=1000\n[BUTTON20]\nVISIBLE=1\nIDATA=1001\n[BUTTON21]\nVISIBLE=1\nIDATA=0\n"));
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

TEST_F(SettingsForm, CollapsedPanelSavesItsExpandedSizeAndStaysExpanded) {
  form.Edge().SetSize(120);
  form.Edge().SetIsBig(false);
  ASSERT_NE(form.Edge().Size(), 120) << "precondition: collapsed to a strip";
  form.FormClick();  // ends move mode, if any, and saves
  EXPECT_EQ(IniFile::Parse(File()).Get("FORM", "SIZE"), "120");
  EXPECT_TRUE(form.Edge().IsBig());
  EXPECT_FALSE(form.Edge().Freeze());
}

TEST_F(SettingsForm, FailedSaveReleasesThePanel) {
  fake.Files.FailWrites = true;
  form.Edge().SetIsBig(false);
  form.FormClick();
  EXPECT_EQ(fake.Desktop.Errors.size(), 1u);
  EXPECT_FALSE(form.Edge().Freeze()) << "the panel may hide again";
}

TEST_F(SettingsForm, LoadAndSaveThroughTheLiveWindowChangeNoByte) {
  // Written by hand: LF line ends, other spellings, comments and keys the pager
  // does not know, a start folder without its backslash.
  const std::string text =
      "; mine\n[FORM]\nedge = 3\nSIZE=80\n[DESKTOP]\nCOUNT=3\n[ button11 ]\nNOTE=mine\nVISIBLE=1\nLEFT=5\nTOP=6\n"
      "WIDTH=40\nHEIGHT=41\nFLAT=1\nPROGRAM=C:\\Tools\\t.exe\nSTART=C:\\Tools\\\nARGS=-v\nGLYPH=\nINDEX=2\n"
      "CAPTION=T\nHINT=a hint\nLAYOUT=2\nFONT=Tahoma, $000000FF, 9, B---\nIDATA=0\n[PLUGIN]\nX=1\n";
  Start(text);
  const std::string first = WriteSettings(form.Snapshot(), text, fake.Files);
  EXPECT_EQ(WriteSettings(form.Snapshot(), first, fake.Files), first) << "a second save changes nothing";
  EXPECT_NE(first.find("; mine\n[FORM]\nedge = 3\nSIZE=80\n"), std::string::npos) << first;
  EXPECT_NE(first.find("[ button11 ]\nNOTE=mine\nVISIBLE=1\nLEFT=5\nTOP=6\nWIDTH=40\nHEIGHT=41\nFLAT=1\n"
                       "PROGRAM=C:\\Tools\\t.exe\nSTART=C:\\Tools\\\nARGS=-v\nGLYPH=\nINDEX=2\nCAPTION=T\n"
                       "HINT=a hint\nLAYOUT=2\nFONT=Tahoma, $000000FF, 9, B---\nIDATA=0\n"),
            std::string::npos)
      << first;
  EXPECT_NE(first.find("[PLUGIN]\nX=1\n"), std::string::npos);
}

}  // namespace
}  // namespace korvi
