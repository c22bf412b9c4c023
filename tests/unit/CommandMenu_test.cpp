// The command menu: its items, the refresh as it opens, and every command with its
// saving rule and its Freeze bracket.
#include <gtest/gtest.h>

#include <stdexcept>

#include "panel/IniFile.h"
#include "panel/Settings.h"
#include "support/PagerRig.h"

namespace korvi {
namespace {

class CommandMenu : public ::testing::Test, protected test::PagerRig {
 protected:
  void SetUp() override { Start("[FORM]\r\nHIDE=0\r\n"); }
  TMenuItem& Item(const char* name) {
    TMenuItem* i = form.Popup1.Find(name);
    if (!i) throw std::runtime_error(std::string("no item ") + name);
    return *i;
  }
  IniFile SavedIni() { return IniFile::Parse(Ini()); }
};

TEST_F(CommandMenu, ItemsTagsAndCaptionsInMenuOrder) {
  // "-" marks a separator; submenus are listed after their header, indented by ">".
  std::vector<std::string> seen;
  for (const TMenuItem& i : form.Popup1.Items) {
    seen.push_back(i.Separator ? "-" : std::to_string(i.Tag) + " " + i.Caption);
    for (const TMenuItem& s : i.Items)
      seen.push_back(">" + std::to_string(s.Tag) + " " + s.Caption + (s.RadioItem ? " (radio)" : ""));
  }
  std::vector<std::string> expected = {"2 About Korvi8", "3 Help", "-", "202 Auto-Hide", "201 Always On Top",
                                       "203 Smooth Scroll", "-", "501 Move Window to Desktop ...",
                                       "506 Gather All Windows", "509 Show Window on All Desktops",
                                       "507 Gather Windows on Exit", "520 Follow Focus", "-",
                                       "200 Dock to Edge", ">204 Top Edge (radio)", ">205 Bottom Edge (radio)",
                                       ">206 Left Edge (radio)", ">207 Right Edge (radio)", "100 Numer of Desktops"};
  expected.push_back(">101 1  Desktop (radio)");
  for (int n = 2; n <= 9; ++n) expected.push_back(">" + std::to_string(100 + n) + " " + std::to_string(n) + "  Desktops (radio)");
  expected.push_back(">110 10 Desktops (radio)");
  expected.push_back("300 Go To Desktop");
  for (int n = 1; n <= 10; ++n)
    expected.push_back(">" + std::to_string(300 + n) + " Desktop #" + std::to_string(n) + " (radio)");
  for (const char* s : {"-", "401 New Executable File", "402 New Clock", "403 New System Load",
                        "404 New Control Panel", "405 New Windows Explorer", "-", "407 Configure Buttons",
                        "503 Arrange Buttons", "504 Move Button", "406 Remove Button ...", "-",
                        "502 Set Panel Color", "505 Set Wallpaper", "508 Set Hotkeys...", "-", "1 Exit"})
    expected.push_back(s);
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(form.Popup1.AutoHotkeys) << "no accelerators are made up from the captions";
  EXPECT_EQ(form.Popup1.Find("ppArange")->Tag, 503);
  EXPECT_EQ(form.Popup1.Find("ppDeskCount10")->Tag, 110);
}

TEST_F(CommandMenu, OpeningNamesTheHotButtonInThreeCaptions) {
  struct Case {
    int32_t hot;
    const char *moveWindow, *move, *remove;
    bool moveWindowOn, moveOn, removeOn;
  };
  const Case cases[] = {
      {3, "Move Window to Desktop 3", "Move Button 3", "Remove Button ...", true, true, false},
      {15, "Move Window ...", "Move Button 15", "Remove Button 15", false, true, true},
      {0, "Move Window ...", "Move Button ...", "Remove Button ...", false, false, false},
      {10, "Move Window to Desktop 10", "Move Button 10", "Remove Button ...", true, true, false},
      {11, "Move Window ...", "Move Button 11", "Remove Button 11", false, true, true},
  };
  for (const Case& c : cases) {
    form.HotButton = c.hot;
    form.Popup1Popup(0);
    EXPECT_EQ(Item("ppMoveWindow").Caption, c.moveWindow) << "hot " << c.hot;
    EXPECT_EQ(Item("ppMove").Caption, c.move) << "hot " << c.hot;
    EXPECT_EQ(Item("ppDelete").Caption, c.remove) << "hot " << c.hot;
    EXPECT_EQ(Item("ppMoveWindow").Enabled, c.moveWindowOn) << "hot " << c.hot;
    EXPECT_EQ(Item("ppMove").Enabled, c.moveOn) << "hot " << c.hot;
    EXPECT_EQ(Item("ppDelete").Enabled, c.removeOn) << "hot " << c.hot;
  }
}

TEST_F(CommandMenu, OpeningChecksTheStateAndEnablesOnlyCountedDesktops) {
  form.SetStayOnTop(true);
  form.Edge().SetAutoFull(true);
  form.Edge().SetSmooth(false);
  form.SetDockEdge(edge::Right);
  data.DesktopCount = 5;
  data.CurrentDesktop = 4;
  form.Popup1Popup(0);
  EXPECT_TRUE(Item("ppOnTop").Checked);
  EXPECT_TRUE(Item("ppHide").Checked);
  EXPECT_FALSE(Item("ppSmooth").Checked);
  for (const char* e : {"ppTop", "ppBottom", "ppLeft"}) EXPECT_FALSE(Item(e).Checked) << e;
  EXPECT_TRUE(Item("ppRight").Checked);
  for (int n = 1; n <= 10; ++n) {
    const std::string s = std::to_string(n);
    EXPECT_EQ(Item(("ppDeskCount" + s).c_str()).Checked, n == 5) << "count item " << n;
    EXPECT_EQ(Item(("ppDeskSelect" + s).c_str()).Checked, n == 4) << "desktop item " << n;
    EXPECT_EQ(Item(("ppDeskSelect" + s).c_str()).Enabled, n <= 5) << "desktop item " << n;
  }
  // Values outside 1..9 check the tenth item; the form's other states flip the checks back.
  data.DesktopCount = 10;
  data.CurrentDesktop = 10;
  form.SetStayOnTop(false);
  form.Popup1Popup(0);
  EXPECT_TRUE(Item("ppDeskCount10").Checked);
  EXPECT_FALSE(Item("ppDeskCount5").Checked);
  EXPECT_TRUE(Item("ppDeskSelect10").Checked);
  EXPECT_FALSE(Item("ppOnTop").Checked);
}

TEST_F(CommandMenu, EverySettingCommandChangesItAndWritesTheFileAtOnce) {
  struct Case {
    int32_t tag;
    const char *key, *value;  // in [FORM] or [DESKTOP]
  };
  const Case cases[] = {{201, "ONTOP", "1"}, {202, "HIDE", "1"},   {203, "SMOOTH", "0"}, {204, "EDGE", "1"},
                        {207, "EDGE", "4"},  {206, "EDGE", "3"},  {205, "EDGE", "2"},   {107, "COUNT", "7"},
                        {110, "COUNT", "10"}, {101, "COUNT", "1"}};
  for (const Case& c : cases) {
    const int writes = fake.Files.Writes;
    form.Popup1Popup(c.tag);
    EXPECT_EQ(fake.Files.Writes, writes + 1) << "tag " << c.tag << " wrote the file once";
    const char* section = std::string(c.key) == "COUNT" ? "DESKTOP" : "FORM";
    EXPECT_EQ(SavedIni().ReadString(section, c.key, "?"), c.value) << "tag " << c.tag;
  }
  EXPECT_TRUE(form.StayOnTop());
  EXPECT_TRUE(host.StayOnTop);
  form.Popup1Popup(201);
  EXPECT_FALSE(host.StayOnTop) << "a second time turns it off";
  const int writes = fake.Files.Writes;
  for (int32_t header : {100, 200, 300}) form.Popup1Popup(header);
  EXPECT_EQ(fake.Files.Writes, writes) << "submenu headers do nothing";
}

TEST_F(CommandMenu, FewerDesktopsHideSelectorsButMoveNothing) {
  form.Popup1Popup(105);
  form.Popup1Popup(304);
  WindowHandle right = fake.Windows.Add({100 + 2 * 1024, 0, 300 + 2 * 1024, 100});  // desktop 6 seen from 4
  fake.Windows.Moves.clear();
  form.Popup1Popup(102);
  EXPECT_EQ(data.CurrentDesktop, 4) << "the current desktop stays";
  EXPECT_TRUE(fake.Windows.Moves.empty()) << "no window moves";
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(form.Button(n).Visible, n <= 2) << "selector " << n;
    EXPECT_EQ(form.Button(n).Enabled, n <= 2) << "selector " << n;
  }
  // Desktop 2 is now the last: going there gathers what lies right of the screen.
  form.Button(2).Click();
  EXPECT_EQ(data.CurrentDesktop, 2);
  const Rect r = fake.Windows.Get(right).Bounds;
  EXPECT_GE(r.Left, 0);
  EXPECT_LT(r.Left, 1024) << "the window from beyond the last desktop is back on the screen";
}

TEST_F(CommandMenu, GoToDesktopSwitchesAndSetsItsSelectorDownWithoutSaving) {
  WindowHandle w = fake.Windows.Add({100, 0, 200, 100});
  const int writes = fake.Files.Writes;
  form.Popup1Popup(303);
  EXPECT_EQ(data.CurrentDesktop, 3);
  EXPECT_EQ(fake.Windows.Get(w).Bounds.Left, 100 - 2 * 1024);
  EXPECT_TRUE(form.Button(3).Down);
  EXPECT_FALSE(form.Button(1).Down);
  EXPECT_EQ(fake.Files.Writes, writes);
}

// Every command that opens a dialog, the picker or lays out keeps the panel out
// meanwhile and gives it back however the dialog ends.
TEST_F(CommandMenu, FreezeBracketIsReleasedWhateverTheOutcome) {
  for (int32_t tag : {401, 407, 501, 502, 505}) {
    for (bool fails : {false, true}) {
      bool frozenDuring = false;
      services.During = [&] {
        frozenDuring = form.Edge().Freeze();
        if (fails) throw std::runtime_error("dialog failed");
      };
      form.HotButton = 3;
      if (fails)
        EXPECT_THROW(form.Popup1Popup(tag), std::runtime_error) << "tag " << tag;
      else
        form.Popup1Popup(tag);
      EXPECT_TRUE(frozenDuring) << "tag " << tag << ": the panel was frozen while the dialog was open";
      EXPECT_FALSE(form.Edge().Freeze()) << "tag " << tag << (fails ? " after a failure" : "");
    }
  }
  services.During = nullptr;
  form.Popup1Popup(503);
  EXPECT_FALSE(form.Edge().Freeze());
}

TEST_F(CommandMenu, RemoveButtonAsksAndFreesTheEntryOnlyOnYes) {
  form.Popup1Popup(402);  // a clock in entry 11
  ASSERT_TRUE(form.Button(11).Enabled);
  form.HotButton = 11;
  services.ConfirmAnswer = false;
  int writes = fake.Files.Writes;
  form.Popup1Popup(406);
  EXPECT_TRUE(form.Button(11).Visible) << "No keeps it";
  EXPECT_EQ(fake.Files.Writes, writes) << "No saves nothing";
  services.ConfirmAnswer = true;
  form.Popup1Popup(406);
  EXPECT_EQ(services.Log.back(), "confirm Remove Button 11?");
  EXPECT_FALSE(form.Button(11).Visible);
  EXPECT_FALSE(form.Button(11).Enabled);
  EXPECT_EQ(form.Button(11).IData, 1000) << "its other properties stay";
  EXPECT_EQ(SavedIni().ReadString("BUTTON11", "VISIBLE", "?"), "0");
  // Selectors are never removed, even when asked directly.
  services.Log.clear();
  form.HotButton = 2;
  form.Popup1Popup(406);
  EXPECT_TRUE(services.Log.empty()) << "no question for a selector";
  EXPECT_TRUE(form.Button(2).Visible);
}

TEST_F(CommandMenu, MoveWindowToDesktopShiftsThePickedWindowOnly) {
  WindowHandle w = fake.Windows.Add({100, 50, 400, 250}, "Editor");
  auto entryOf = [&](WindowHandle h) {
    return [&, h] {
      for (int i = 1; i <= kWinListSize; ++i)
        if (winList.Entry(i).Handle == h) return i;
      return 0;
    };
  };
  auto pick = [&](WindowHandle h) {
    services.PickedEntry = [&, h, f = entryOf(h)] {
      winList.Load();
      return f();
    };
  };
  form.HotButton = 3;
  pick(w);
  form.Popup1Popup(501);
  EXPECT_EQ(fake.Windows.Get(w).Bounds.Left, 100 + 2 * 1024) << "desktop 3 seen from desktop 1";
  EXPECT_EQ(fake.Windows.Get(w).Bounds.Top, 50);

  // The pager itself, the bare desktop, or a button that is no selector: nothing moves.
  form.OwnWindow = fake.Windows.Add({0, 668, 1024, 768}, "Korvi8");
  fake.Windows.Moves.clear();
  pick(form.OwnWindow);
  form.Popup1Popup(501);
  services.PickedEntry = [] { return 0; };
  form.Popup1Popup(501);
  form.HotButton = 15;
  pick(w);
  form.Popup1Popup(501);
  EXPECT_TRUE(fake.Windows.Moves.empty());

  // The screen changes while the list is open: the move takes the screen as it is then.
  WindowHandle later = fake.Windows.Add({100, 50, 400, 250});
  form.HotButton = 3;
  services.PickedEntry = [&, f = entryOf(later)] {
    winList.Load();
    fake.Windows.Screen = {0, 0, 1280, 768};
    return f();
  };
  form.Popup1Popup(501);
  EXPECT_EQ(fake.Windows.Get(later).Bounds.Left, 100 + 2 * 1280);
}

TEST_F(CommandMenu, PanelColorIsTheCurrentDesktopsAndSavedEvenOnCancel) {
  data.PanelColors[1] = 0x111111;
  data.PanelColors[2] = 0x222222;
  form.Popup1Popup(302);
  services.ChosenColor = 0x00C0FF;
  form.Popup1Popup(502);
  EXPECT_EQ(services.OfferedColor, 0x222222) << "the chooser starts at the panel's colour";
  EXPECT_EQ(form.Color(), 0x00C0FF);
  EXPECT_EQ(data.PanelColors[2], 0x00C0FF);
  EXPECT_EQ(data.PanelColors[1], 0x111111) << "only the current desktop's colour changes";
  EXPECT_EQ(SavedIni().ReadInteger("PANELCOLOR", "COLOR2", 0), 0x00C0FF);
  form.Popup1Popup(301);
  EXPECT_EQ(form.Color(), 0x111111) << "each desktop shows its own colour";

  services.ColorAnswer = false;
  const int writes = fake.Files.Writes;
  fake.Files.Files[kIni] += "; a line that a save rewrites away\r\n";
  form.Popup1Popup(502);
  EXPECT_EQ(form.Color(), 0x111111);
  EXPECT_EQ(fake.Files.Writes, writes + 1) << "saved on cancel too";
}

TEST_F(CommandMenu, WallpaperIsTheCurrentDesktopsAndShownAtOnce) {
  fake.Files.Files["C:\\pics\\sea.bmp"] = "BM";
  form.Popup1Popup(302);
  services.ImageFile = "C:\\pics\\sea.bmp";
  form.Popup1Popup(505);
  EXPECT_EQ(data.Wallpapers[2], "C:\\pics\\sea.bmp");
  EXPECT_TRUE(data.Wallpapers[1].empty());
  ASSERT_FALSE(fake.Desktop.Wallpapers.empty());
  EXPECT_EQ(fake.Desktop.Wallpapers.back(), "C:\\pics\\sea.bmp");
  EXPECT_EQ(SavedIni().ReadString("WALLPAPER", "FILE2", "?"), "C:\\pics\\sea.bmp");
  services.ImageAnswer = false;
  services.ImageFile = "C:\\other.bmp";
  form.Popup1Popup(505);
  EXPECT_EQ(data.Wallpapers[2], "C:\\pics\\sea.bmp") << "cancel changes nothing";

  // The settings file is ANSI here (Latin-1 in the fake): a Cyrillic name is refused.
  services.ImageAnswer = true;
  services.ImageFile = "C:\\\xD0\xA2.bmp";
  const std::size_t shown = fake.Desktop.Wallpapers.size();
  form.Popup1Popup(505);
  EXPECT_EQ(data.Wallpapers[2], "C:\\pics\\sea.bmp") << "refused";
  EXPECT_EQ(fake.Desktop.Wallpapers.size(), shown);
  ASSERT_FALSE(fake.Desktop.Errors.empty());
  EXPECT_NE(fake.Desktop.Errors.back().find("ANSI code page"), std::string::npos);
  fake.Files.Files[kIni] = "\xEF\xBB\xBF" + fake.Files.Files[kIni];
  form.Popup1Popup(505);
  EXPECT_EQ(data.Wallpapers[2], "C:\\\xD0\xA2.bmp") << "a UTF-8 file holds it";
}

TEST_F(CommandMenu, NewExecutableFileOpensButtonSetupOnTheNewEntry) {
  form.Popup1Popup(401);
  EXPECT_EQ(services.Log.back(), "config 11");
  EXPECT_TRUE(form.Button(11).Visible);
  EXPECT_EQ(SavedIni().ReadString("BUTTON11", "VISIBLE", "?"), "1");
  form.HotButton = 4;
  form.Popup1Popup(407);
  EXPECT_EQ(services.Log.back(), "config 4");
  // A full table: no entry for the set-ups, and Button Setup opens on no button.
  for (int i = 11; i <= kButtonCount; ++i) form.Button(i).Enabled = form.Button(i).Visible = true;
  form.Button(128).IData = 0;
  form.Popup1Popup(402);
  EXPECT_EQ(form.HotButton, 0);
  EXPECT_EQ(form.Button(128).IData, 0) << "no set-up without a free entry";
  form.Popup1Popup(401);
  EXPECT_EQ(services.Log.back(), "config 0");
}

TEST_F(CommandMenu, GatherOnExitIsACheckedOptionSavedInItsOwnSection) {
  WindowHandle away = fake.Windows.Add({1024 + 10, 0, 1024 + 110, 50});
  fake.Windows.Homes[away] = {2, 10, 0};
  form.Popup1Popup(tag::Exit);
  EXPECT_EQ(fake.Windows.Get(away).Bounds.Left, 1024 + 10) << "by default Exit leaves other desktops' windows";
  EXPECT_TRUE(fake.Windows.Homes.empty()) << "and leaves the guardian nothing to bring back";
  EXPECT_FALSE(SavedIni().Get("OPTIONS", "GATHERONEXIT")) << "a file that never had the option stays as it was";
  form.Popup1Popup(tag::GatherOnExit);
  form.Popup1Popup(tag::Opening);
  EXPECT_TRUE(Item("ppGatherOnExit").Checked);
  EXPECT_EQ(SavedIni().ReadString("OPTIONS", "GATHERONEXIT", "?"), "1");
  form.Popup1Popup(tag::Exit);
  EXPECT_EQ(fake.Windows.Get(away).Bounds.Left, 10) << "with the option, Exit gathers";
  form.Popup1Popup(tag::GatherOnExit);
  EXPECT_EQ(SavedIni().ReadString("OPTIONS", "GATHERONEXIT", "?"), "0") << "once there, the key stays";
}

TEST_F(CommandMenu, GatherAllWindowsAndCountsTooManyForTheScreen) {
  WindowHandle away = fake.Windows.Add({3 * 1024 + 10, 0, 3 * 1024 + 110, 50});
  form.Popup1Popup(tag::GatherAll);
  EXPECT_EQ(fake.Windows.Get(away).Bounds.Left, 10);
  fake.Windows.Screen = fake.Windows.Work = {0, 0, 3840, 1080};
  form.Popup1Popup(tag::Opening);
  for (int n = 1; n <= kMaxDesktops; ++n) EXPECT_EQ(form.Popup1.FindTag(tag::DeskCount + n)->Enabled, n <= 8) << n;
}

TEST_F(CommandMenu, ExitSavesFirstAndHelpLoadsItsFileOnce) {
  form.Popup1Popup(203);
  fake.Files.Files.erase(kIni);
  form.Popup1Popup(1);
  EXPECT_EQ(SavedIni().ReadString("FORM", "SMOOTH", "?"), "0") << "Exit wrote the settings";
  EXPECT_EQ(services.Log.back(), "end");
  services.Log.clear();
  form.Popup1Popup(3);
  form.Popup1Popup(3);
  form.Popup1Popup(2);
  // The help viewer loads its file the first time itself (HelpForm_test).
  EXPECT_EQ(services.Log, (std::vector<std::string>{"help", "help", "about"}));
}

TEST(CommandMenuUnreadFile, ExitSaysOnceMoreThatTheSettingsWereNotSaved) {
  test::PagerRig r;
  const std::string tooLarge(kSettingsFileLimit + 1, ';');  // there, but not read at start-up
  r.Start(tooLarge);
  r.form.Popup1Popup(201);
  r.form.Popup1Popup(203);
  ASSERT_EQ(r.fake.Desktop.Errors.size(), 1u) << "the first refused save says why, the next says nothing";
  r.form.Popup1Popup(1);
  ASSERT_EQ(r.fake.Desktop.Errors.size(), 2u);
  EXPECT_EQ(r.fake.Desktop.Errors[1].rfind("The settings were not saved to C:\\Korvi\\Korvi8.ini\n", 0), 0u)
      << r.fake.Desktop.Errors[1];
  EXPECT_EQ(r.Ini(), tooLarge);
  EXPECT_EQ(r.services.Log.back(), "end");
}

}  // namespace
}  // namespace korvi
