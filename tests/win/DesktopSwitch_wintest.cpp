// Desktop switching against real windows of the Win32 window manager.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "main/main.h"
#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

class RealDesktopSwitch : public ::testing::Test {
 protected:
  Win32Platform platform;
  SharedState data;
  TWinListDialog winList{platform.Windows};
  TForm1 form{data, platform.Ref, winList};
  test::TestWindows windows;
  int W = ::GetSystemMetrics(SM_CXSCREEN);

  void SetUp() override {
    data.DesktopCount = 4;
    data.CurrentDesktop = 1;
  }
};

TEST_F(RealDesktopSwitch, MovesRealWindowsByWholeScreenWidths) {
  HWND a = windows.Open(100, 120, 300, 200);
  HWND b = windows.Open(100 + 2 * W, 140, 300, 200);
  form.ChangeDesktop(3);
  test::PumpUntil([&] { return test::LeftOf(a) == 100 - 2 * W && test::LeftOf(b) == 100; });
  EXPECT_EQ(test::LeftOf(a), 100 - 2 * W);
  EXPECT_EQ(test::LeftOf(b), 100);
  EXPECT_EQ(test::TopOf(b), 140) << "vertical position never changes";
  form.ChangeDesktop(1);
  test::PumpUntil([&] { return test::LeftOf(a) == 100; });
  EXPECT_EQ(test::LeftOf(a), 100);
  EXPECT_EQ(test::LeftOf(b), 100 + 2 * W);
}

TEST_F(RealDesktopSwitch, MinimisedAndHiddenWindowsStay) {
  HWND hidden = windows.Open(100, 100, 200, 100, /*show=*/false);
  HWND minimised = windows.Open(150, 100, 200, 100);
  ::ShowWindow(minimised, SW_MINIMIZE);
  RECT before{};
  ::GetWindowRect(minimised, &before);
  form.ChangeDesktop(2);
  test::Pump(100);
  EXPECT_EQ(test::LeftOf(hidden), 100);
  RECT after{};
  ::GetWindowRect(minimised, &after);
  EXPECT_EQ(after.left, before.left);
}

TEST_F(RealDesktopSwitch, WindowWithRightEdgeAtZeroStaysOnFirstDesktop) {
  HWND edge = windows.Open(-300, 100, 300, 100);
  HWND distant = windows.Open(-3000, 100, 1000, 100);
  form.ChangeDesktop(1);
  test::PumpUntil([&] { return test::LeftOf(distant) == -952; });
  EXPECT_EQ(test::LeftOf(edge), -300);
  EXPECT_EQ(test::LeftOf(distant), -952);
}

TEST_F(RealDesktopSwitch, OnlyTheTopmost127WindowsMove) {
  // Our 200 windows are the topmost ones: each new window goes to the top.
  std::vector<HWND> all;
  for (int i = 0; i < 200; ++i) all.push_back(windows.Open(100, 10 + i, 100, 50));
  form.ChangeDesktop(2);
  test::PumpUntil([&] { return test::LeftOf(all[199]) == 100 - W; });
  int moved = 0;
  for (HWND h : all) moved += test::LeftOf(h) == 100 - W;
  EXPECT_EQ(moved, 127) << "entry 1 is the root window; entries 2..128 hold the 127 topmost windows";
  EXPECT_EQ(test::LeftOf(all[199]), 100 - W) << "the newest window is topmost and moves";
  EXPECT_EQ(test::LeftOf(all[0]), 100) << "the oldest lies below the 127th and stays";
}

TEST_F(RealDesktopSwitch, WallpaperIsSetAndReadBack) {
  std::string file = test::TempDir() + "\\wall3.bmp";
  test::WriteSmallBitmap(file);
  data.Wallpapers[3] = file;
  form.ChangeDesktop(3);
  char current[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0);
  EXPECT_STREQ(current, file.c_str());

  data.Wallpapers[2] = test::TempDir() + "\\no-such-wallpaper.bmp";
  form.ChangeDesktop(2);
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0);
  EXPECT_STREQ(current, file.c_str()) << "a name that names no file changes nothing";
}

TEST_F(RealDesktopSwitch, HungWindowDoesNotFreezeTheSwitch) {
  HWND normal = windows.Open(100, 100, 200, 100);
  // The hung window's thread stops answering messages until released (or, should the
  // switch block on it, until its safety timeout, which the test then reports).
  test::HungWindow hung(100, 300, 200, 100);
  form.ChangeDesktop(2);
  const bool switchReturnedWhileHung = hung.Release();
  EXPECT_TRUE(switchReturnedWhileHung) << "the switch waited for a window whose thread does not answer";
  test::PumpUntil([&] { return test::LeftOf(normal) == 100 - W; });
  EXPECT_EQ(test::LeftOf(normal), 100 - W) << "the other windows still move";
  test::PumpUntil([&] { return test::LeftOf(hung.Handle()) == 100 - W; });
  EXPECT_EQ(test::LeftOf(hung.Handle()), 100 - W) << "the hung window moves once it answers again";
}

}  // namespace
}  // namespace korvi
