// Panel button management: new entries, the ready-made kinds, move mode and
// dropped files.
#include <gtest/gtest.h>

#include <functional>

#include "panel/IniFile.h"
#include "support/PagerRig.h"

namespace korvi {
namespace {

class ButtonManagement : public ::testing::Test, protected test::PagerRig {
 protected:
  void SetUp() override { Start("[DESKTOP]\r\nCOUNT=4\r\n"); }
  IniFile SavedIni() { return IniFile::Parse(Ini()); }
};

TEST_F(ButtonManagement, NewButtonTakesTheFirstFreeEntryAsItWas) {
  form.Button(11).Enabled = form.Button(11).Visible = true;
  form.Button(12).IData = 1000;  // once a clock
  form.Button(12).Left = 70;
  form.NewButton();
  EXPECT_EQ(form.HotButton, 12);
  EXPECT_TRUE(form.Button(12).Enabled);
  EXPECT_TRUE(form.Button(12).Visible);
  EXPECT_EQ(form.Button(12).IData, 1000) << "a taken entry keeps what it held";
  EXPECT_EQ(form.Button(12).Left, 70);
  // Selectors hidden by a low desktop count are never taken.
  form.Popup1Popup(101);
  form.NewButton();
  EXPECT_EQ(form.HotButton, 13);
}

TEST_F(ButtonManagement, ReadyMadeKindsGetTheirSetUps) {
  struct Case {
    int32_t tag;
    int32_t w, h;
    bool exeDisabled;
    const char *exe, *glyph, *hint, *caption;
    int32_t idata;
    bool onClick;
  };
  const Case cases[] = {
      {402, 75, 25, true, "", "", "Clock", "Clock", 1000, true},
      {403, 100, 100, true, "", "", "Load", "Load", 2000, true},
      {404, 40, 40, false, "CONTROL.EXE", "C:\\Korvi\\CONTROL.BMP", "Control Panel", "", 0, false},
      {405, 40, 40, false, "EXPLORER.EXE", "C:\\Korvi\\EXPLORER.BMP", "Windows Explorer", "", 0, false},
  };
  for (const Case& c : cases) {
    // Each on an entry that held a launcher with everything set.
    TExeButton& old = form.Button(11);
    old.SetExeName("C:\\Apps\\edit.exe");
    old.SetExeArgs("-x");
    old.IData = 2001;
    old.OnClick = [](TExeButton&) {};
    old.Left = 30;
    form.Popup1Popup(c.tag);
    ASSERT_EQ(form.HotButton, 11) << "tag " << c.tag;
    const TExeButton& b = form.Button(11);
    EXPECT_EQ(b.Width, c.w) << "tag " << c.tag;
    EXPECT_EQ(b.Height, c.h) << "tag " << c.tag;
    EXPECT_EQ(b.ExeDisabled, c.exeDisabled) << "tag " << c.tag;
    EXPECT_EQ(b.ExeName(), c.exe) << "tag " << c.tag;
    EXPECT_EQ(b.ExeArgs(), "") << "tag " << c.tag;
    EXPECT_EQ(b.ExeStart(), "") << "tag " << c.tag;
    EXPECT_EQ(b.GlyphName(), c.glyph) << "tag " << c.tag;
    EXPECT_EQ(b.Layout, static_cast<uint8_t>(GlyphLayout::Top)) << "tag " << c.tag;
    EXPECT_EQ(b.Hint, c.hint) << "tag " << c.tag;
    EXPECT_TRUE(b.ShowHint) << "tag " << c.tag;
    EXPECT_EQ(b.Caption, c.caption) << "tag " << c.tag;
    EXPECT_EQ(b.IData, c.idata) << "tag " << c.tag;
    EXPECT_EQ(static_cast<bool>(b.OnClick), c.onClick) << "tag " << c.tag;
    EXPECT_EQ(b.Left, 30) << "tag " << c.tag << ": the position is not changed";
    EXPECT_EQ(SavedIni().ReadString("BUTTON11", "HINT", "?"), c.hint) << "tag " << c.tag << " saved";
    form.Button(11).Enabled = form.Button(11).Visible = false;
  }
}

TEST_F(ButtonManagement, MoveModeFollowsTheMouseAndTheArrowsThenSaves) {
  form.Popup1Popup(402);  // a clock, 75 x 25, in entry 11
  TExeButton& b = form.Button(11);
  b.Left = 200;
  b.Top = 10;
  form.HotButton = 11;
  form.Popup1Popup(504);
  EXPECT_EQ(form.MovingButton, 11);
  EXPECT_TRUE(form.Edge().Freeze());
  for (int i = 1; i <= kButtonCount; ++i) ASSERT_FALSE(form.Button(i).Enabled) << "button " << i;
  EXPECT_EQ(pos.Static1, "pos:  (200 , 10)");
  EXPECT_EQ(pos.Static2, "size: (75 , 25)");
  EXPECT_EQ(services.Log, (std::vector<std::string>{"show readout", "to top"}));

  // The disabled buttons let the mouse through: the panel moves the corner.
  ASSERT_EQ(form.ButtonAt(210, 20), 0);
  form.PanelMouseMove(0, 300, 60);
  EXPECT_EQ((Point{b.Left, b.Top}), (Point{225, 35})) << "the bottom right corner follows the mouse";
  form.FormKeyDown(TForm1::vkRight, 0);
  form.FormKeyDown(TForm1::vkDown, 0);
  form.FormKeyDown(TForm1::vkDown, 0);
  EXPECT_EQ((Point{b.Left, b.Top}), (Point{226, 37}));
  form.FormKeyDown(TForm1::vkLeft, ssShift);
  form.FormKeyDown(TForm1::vkUp, ssShift);
  EXPECT_EQ((Point{b.Width, b.Height}), (Point{74, 24})) << "Shift sizes it by one pixel";
  EXPECT_EQ(pos.Static2, "size: (74 , 24)");
  form.PanelMouseMove(ssShift, 100, 0);
  EXPECT_EQ((Point{b.Width, b.Height}), (Point{4, 4})) << "never below 4 x 4";
  form.FormKeyDown('A', 0);
  EXPECT_EQ(form.MovingButton, 11) << "other keys do nothing";

  form.FormKeyDown(TForm1::vkReturn, 0);
  EXPECT_EQ(form.MovingButton, 0);
  EXPECT_FALSE(form.Edge().Freeze());
  EXPECT_EQ(services.Log.back(), "hide readout");
  for (int i = 1; i <= kButtonCount; ++i)
    EXPECT_EQ(form.Button(i).Enabled, form.Button(i).Visible) << "button " << i << " back as it was";
  EXPECT_FALSE(form.Button(12).Enabled) << "free entries stay free";
  EXPECT_EQ(SavedIni().ReadInteger("BUTTON11", "LEFT", 0), 226);
  EXPECT_EQ(SavedIni().ReadInteger("BUTTON11", "WIDTH", 0), 4);

  // Tab ends it too; outside move mode the keys do nothing.
  form.Popup1Popup(504);
  form.FormKeyDown(TForm1::vkTab, 0);
  EXPECT_EQ(form.MovingButton, 0);
  const int left = b.Left;
  form.FormKeyDown(TForm1::vkRight, 0);
  EXPECT_EQ(b.Left, left);
}

TEST_F(ButtonManagement, MoveButtonOnTheBarePanelDoesNothing) {
  form.HotButton = 0;
  form.MoveButton();
  EXPECT_EQ(form.MovingButton, 0);
  EXPECT_FALSE(form.Edge().Freeze());
  EXPECT_TRUE(form.Button(1).Enabled);
  EXPECT_TRUE(services.Log.empty());
}

TEST_F(ButtonManagement, MenuAndDropEndMoveModeBeforeTheyAct) {
  // Launcher 11 is being moved; then the menu opens on the bare panel and a command
  // runs, or a file is dropped. Each must find the table as it is out of move mode.
  struct Case {
    const char* what;
    std::function<void(test::PagerRig&)> act;
    int32_t newEntry;  // the entry a new button took, 0 for none
  };
  const auto command = [](int32_t t, int32_t hot = 0) {
    return [t, hot](test::PagerRig& r) {
      r.form.HotButton = 0;  // the bare panel: move mode leaves every button disabled
      r.form.Popup1Popup(0);
      r.form.HotButton = hot;
      r.form.Popup1Popup(t);
    };
  };
  const Case cases[] = {
      {"Exit", command(1), 0},
      {"New Clock", command(402), 12},
      {"Configure Buttons on selector 1", command(407, 1), 0},
      {"Always On Top", command(201), 0},
      {"a drop", [](test::PagerRig& r) { r.form.DropFiles("C:\\b.txt", 5, 5); }, 12},
  };
  for (const Case& c : cases) {
    test::PagerRig r;
    r.Start("[DESKTOP]\r\nCOUNT=4\r\n");
    TExeButton& b = r.form.Button(11);
    b.Enabled = b.Visible = true;
    b.SetExeName("C:\\Apps\\edit.exe");
    r.form.HotButton = 11;
    r.form.Popup1Popup(504);
    ASSERT_EQ(r.form.MovingButton, 11);
    // A dialog sees the buttons in use as in use.
    r.services.During = [&] {
      EXPECT_EQ(r.form.MovingButton, 0) << c.what;
      EXPECT_TRUE(r.form.Button(1).Enabled) << c.what;
      EXPECT_TRUE(b.Enabled) << c.what;
    };
    c.act(r);
    EXPECT_EQ(r.form.MovingButton, 0) << c.what;
    EXPECT_FALSE(r.form.Edge().Freeze()) << c.what;
    if (c.newEntry) {
      EXPECT_EQ(r.form.HotButton, c.newEntry) << c.what << ": not the launcher in use";
    }
    EXPECT_EQ(b.ExeName(), "C:\\Apps\\edit.exe") << c.what;
    ASSERT_GE(r.services.Log.size(), 3u) << c.what;
    EXPECT_EQ(r.services.Log[2], "hide readout") << c.what << ": move mode ended first";
    const IniFile saved = IniFile::Parse(r.Ini());
    for (const char* s : {"BUTTON1", "BUTTON4", "BUTTON11"})
      EXPECT_EQ(saved.ReadString(s, "VISIBLE", "?"), "1") << c.what << " " << s;
  }
}

TEST_F(ButtonManagement, DroppedFileBecomesALauncherAtTheDropPoint) {
  form.DropFiles("  C:\\Tools\\notes.txt  ", 120, 30);
  ASSERT_EQ(form.HotButton, 11);
  const TExeButton& b = form.Button(11);
  EXPECT_TRUE(b.Visible);
  EXPECT_TRUE(b.Enabled);
  EXPECT_EQ((Point{b.Left, b.Top}), (Point{120, 30}));
  EXPECT_EQ(b.ExeName(), "C:\\Tools\\notes.txt");
  EXPECT_EQ(b.ExeStart(), "C:\\Tools\\");
  EXPECT_EQ(b.Caption, "notes");
  EXPECT_EQ(services.Log, std::vector<std::string>{"config 11"});
  EXPECT_EQ(SavedIni().ReadString("BUTTON11", "PROGRAM", "?"), "C:\\Tools\\notes.txt") << "saved after the dialog";
  // A full table: the drop is ignored.
  for (int i = 12; i <= kButtonCount; ++i) form.Button(i).Enabled = form.Button(i).Visible = true;
  services.Log.clear();
  form.DropFiles("C:\\b.txt", 1, 1);
  EXPECT_EQ(form.HotButton, 0);
  EXPECT_TRUE(services.Log.empty());
}

// The settings file here is ANSI (Latin-1 in the fake): a file named in Cyrillic is
// refused with a message; in a UTF-8 file it becomes a launcher.
TEST_F(ButtonManagement, DroppedFileTheSettingsFileCannotHoldIsRefused) {
  const std::string cyrillic = "C:\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82.txt";
  form.DropFiles(cyrillic, 120, 30);
  EXPECT_FALSE(form.Button(11).Visible);
  EXPECT_TRUE(services.Log.empty()) << "no dialog";
  ASSERT_EQ(fake.Desktop.Errors.size(), 1u);
  EXPECT_NE(fake.Desktop.Errors[0].find("ANSI code page"), std::string::npos);
  fake.Files.Files[kIni] = "\xEF\xBB\xBF" + Ini();
  form.DropFiles(cyrillic, 120, 30);
  EXPECT_EQ(form.Button(11).ExeName(), cyrillic);
  EXPECT_EQ(IniFile::Parse(Ini().substr(3)).Get("BUTTON11", "PROGRAM"), cyrillic);
}

}  // namespace
}  // namespace korvi
