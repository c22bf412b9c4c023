// What a launcher button asks the shell to open, for every kind of file it can hold.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "buttons/ExeButton.h"
#include "support/FakeLaunchServices.h"

namespace korvi {
namespace {

class Launcher : public ::testing::Test {
 protected:
  test::FakeLaunchServices launch;
  TExeButton button{nullptr, &launch};
  int executed = 0;
  void SetUp() override {
    button.OnExecute = [this](TExeButton&) { ++executed; };
  }
  const LaunchTarget& Only() {
    EXPECT_EQ(launch.Opened.size(), 1u);
    static LaunchTarget none;
    return launch.Opened.empty() ? none : launch.Opened.back();
  }
};

TEST_F(Launcher, ProgramWithArgumentsStateAndDirectory) {
  button.SetExeName("  C:\\Tools\\my.tool.exe ");
  button.SetExeArgs(" -x ");
  button.SetExeStart("D:\\Work");
  button.SetExeState(TWindowState::wsMaximized);
  button.Execute();
  EXPECT_EQ(Only().Program, "C:\\Tools\\my.tool.exe");
  EXPECT_EQ(Only().Args, "-x");
  EXPECT_EQ(Only().Directory, "D:\\Work\\");
  EXPECT_EQ(Only().ShowCmd, 3);
  EXPECT_EQ(button.ExeCode(), 42);
  EXPECT_EQ(executed, 1);
  button.SetExeState(TWindowState::wsMinimized);
  button.Execute();
  EXPECT_EQ(launch.Opened.back().ShowCmd, 2);
}

TEST_F(Launcher, ControlPanelAppletGoesToTheControlProgram) {
  button.SetExeName("C:\\Windows\\System32\\DESK.CPL");
  button.SetExeState(TWindowState::wsMaximized);
  button.Execute();
  EXPECT_EQ(Only().Program, "C:\\WINDOWS\\system32\\CONTROL.EXE") << "from the system folder";
  EXPECT_EQ(Only().Args, "\"C:\\Windows\\System32\\DESK.CPL\"") << "quoted";
  EXPECT_EQ(Only().Directory, "C:\\WINDOWS\\system32\\") << "not the pager's own folder";
  EXPECT_EQ(Only().ShowCmd, 1);
}

TEST_F(Launcher, SystemProgramsNamedBareComeFromTheirFolders) {
  struct Case {
    const char *name, *start, *program, *directory;
  };
  const Case cases[] = {
      {"CONTROL.EXE", "", "C:\\WINDOWS\\system32\\CONTROL.EXE", "C:\\WINDOWS\\system32\\"},
      {"explorer.exe", "", "C:\\WINDOWS\\explorer.exe", "C:\\WINDOWS\\"},
      {"EXPLORER.EXE", "D:\\Docs", "C:\\WINDOWS\\EXPLORER.EXE", "D:\\Docs\\"},
      {"C:\\Korvi\\EXPLORER.EXE", "", "C:\\Korvi\\EXPLORER.EXE", ""},  // a path is the user's
      {"notepad.exe", "", "notepad.exe", ""},
  };
  for (const Case& c : cases) {
    launch.Opened.clear();
    button.SetExeName(c.name);
    button.SetExeStart(c.start);
    button.Execute();
    EXPECT_EQ(Only().Program, c.program) << c.name;
    EXPECT_EQ(Only().Directory, c.directory) << c.name;
  }
}

TEST_F(Launcher, ShortcutsAndPifFilesAreOpenedUpFirst) {
  launch.Shortcuts["C:\\Links\\Edit.LNK"] = {"C:\\Apps\\edit.exe", "a.txt", "C:\\Docs\\", 3};
  launch.Pifs["C:\\Old\\game.pif"] = {"C:\\GAMES\\GAME.EXE", "/fast", "C:\\GAMES\\", 7};
  button.SetExeName("C:\\Links\\Edit.LNK");
  button.Execute();
  EXPECT_EQ(Only().Program, "C:\\Apps\\edit.exe");
  EXPECT_EQ(Only().Args, "a.txt");
  EXPECT_EQ(Only().ShowCmd, 3) << "the shortcut's own show command";
  button.SetExeName("C:\\Old\\game.pif");
  button.Execute();
  EXPECT_EQ(launch.Opened.back().Program, "C:\\GAMES\\GAME.EXE");
  EXPECT_EQ(launch.Opened.back().Directory, "C:\\GAMES\\");
  EXPECT_EQ(launch.Opened.back().ShowCmd, 1) << "a PIF always starts normally";
}

TEST_F(Launcher, UnreadableShortcutOrPifLaunchesNothingButStillReportsExecute) {
  button.SetExeName("C:\\missing.lnk");
  button.Execute();
  button.SetExeName("C:\\missing.pif");
  button.Execute();
  EXPECT_TRUE(launch.Opened.empty());
  EXPECT_EQ(button.ExeCode(), 0);
  EXPECT_EQ(executed, 2);
}

TEST_F(Launcher, FolderAsksForAFileEveryTimeAndKeepsTheFolder) {
  launch.Folders["D:\\Games"] = true;
  launch.Shortcuts["D:\\Games\\Chess.lnk"] = {"D:\\Games\\chess.exe", "", "D:\\Games\\", 1};
  button.SetExeName("D:\\Games\\");
  launch.Choice = std::nullopt;
  button.Execute();
  EXPECT_TRUE(launch.Opened.empty()) << "cancelled: nothing launched";
  launch.Choice = "D:\\Games\\Chess.lnk";
  button.Execute();
  EXPECT_EQ(Only().Program, "D:\\Games\\chess.exe") << "a chosen shortcut is resolved";
  button.SetExeName("D:\\Games");  // an existing folder without the backslash
  button.Execute();
  EXPECT_EQ(launch.DialogFolders, (std::vector<std::string>{"D:\\Games\\", "D:\\Games\\", "D:\\Games"}));
  EXPECT_EQ(button.ExeName(), "D:\\Games");
  EXPECT_EQ(executed, 3);
}

TEST_F(Launcher, DisabledOrEmptyLaunchesNothing) {
  button.Execute();  // empty name
  button.SetExeName("C:\\Tools\\x.exe");
  button.ExeDisabled = true;
  button.Execute();
  EXPECT_TRUE(launch.Opened.empty());
  EXPECT_EQ(executed, 2);
}

TEST_F(Launcher, ClickRunsTheHandlerFirstThenExecute) {
  std::vector<std::string> order;
  button.OnClick = [&](TExeButton&) { order.push_back("click"); };
  button.OnExecute = [&](TExeButton&) { order.push_back("execute"); };
  button.ExeDisabled = true;
  button.Click();
  EXPECT_EQ(order, (std::vector<std::string>{"click", "execute"}));
}

TEST(ExeButtonProperties, NameWritersTrimAndDerive) {
  TExeButton b;
  b.SetExeName("  C:\\Tools\\my.tool.exe  ");
  EXPECT_EQ(b.ExeName(), "C:\\Tools\\my.tool.exe");
  EXPECT_EQ(b.ExeStart(), "C:\\Tools\\");
  EXPECT_EQ(b.GlyphName(), "C:\\Tools\\my.tool.exe");
  EXPECT_EQ(b.Caption, "my");
  b.SetExeStart("C:\\Work");
  EXPECT_EQ(b.ExeStart(), "C:\\Work\\");
  b.SetExeStart("   ");
  EXPECT_EQ(b.ExeStart(), "");
  b.SetIconIndex(3);
  b.SetGlyphName("C:\\Tools\\my.tool.exe");
  EXPECT_EQ(b.IconIndex(), 3) << "the same glyph name keeps the index";
  b.SetGlyphName("C:\\other.ico");
  EXPECT_EQ(b.IconIndex(), 0);
  b.SetIconIndex(-5);
  EXPECT_EQ(b.IconIndex(), 0);
  b.SetExeName("");
  EXPECT_EQ(b.Caption, "");
  EXPECT_EQ(b.GlyphName(), "");
}

}  // namespace
}  // namespace korvi
