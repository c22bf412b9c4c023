// A released zip as a user meets it: scripts/unzip-test.sh unpacks it alone into a fresh
// Wine prefix and names the folder in KORVI_UNZIPPED. Started from there with no settings
// file, the panel appears, the about box greets and goes by itself, Help shows the manual
// that came in the zip, and Exit writes Korvi8.ini beside the exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "e2e/MenuDriver.h"
#include "e2e/PagerSession.h"
#include "util/Text.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(UnzippedRelease, StartsGreetsShowsTheManualAndSavesOnExit) {
  char folder[MAX_PATH] = {};
  if (!::GetEnvironmentVariableA("KORVI_UNZIPPED", folder, MAX_PATH))
    GTEST_SKIP() << "needs an unpacked release (scripts/unzip-test.sh)";
  PagerSession pager(PagerSession::InPlace{}, folder);
  ASSERT_TRUE(Exists(pager.Folder() + "\\Korvi8.exe")) << "no Korvi8.exe in " << pager.Folder();
  ASSERT_FALSE(Exists(pager.IniPath())) << "the zip holds no settings";

  // A first start hides the panel when the mouse is away: the mouse rests on the bottom
  // edge, where the panel comes, so it stays out for the menu.
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  PagerSession::MoveMouse(width - 2, height - 2);
  pager.keepMouse_ = true;
  ASSERT_TRUE(pager.Start()) << "no panel appeared";
  const RECT panel = pager.PagerRect();
  EXPECT_TRUE(panel.right - panel.left == width && panel.bottom == height && panel.bottom - panel.top > 3)
      << "the panel spans the bottom edge: " << panel.left << "," << panel.top << "," << panel.right << ","
      << panel.bottom;

  ASSERT_TRUE(test::PumpUntil([] { return Visible("Korvi8About"); }, 8000)) << "no about box";
  SaveScreenshot("unzipped-about");
  ASSERT_TRUE(test::PumpUntil([] { return !Visible("Korvi8About"); }, 10000)) << "the about box stays";

  HWND help = ChooseUntilShown(pager, 600, 60, menu::Help, "Korvi8Help", nullptr, 8000);
  ASSERT_TRUE(help) << "Help showed no help window";
  const std::string manual = LowerCase(pager.Folder() + "\\korvi8.html");
  EXPECT_EQ(TextOf(help), manual);
  EXPECT_EQ(TextOf(::FindWindowExA(help, nullptr, "STATIC", nullptr)), "") << "the manual was found";
  if (HWND reader = ::FindWindowExA(help, nullptr, "Korvi8Reader", nullptr)) {
    EXPECT_TRUE(test::PumpUntil([&] { return TextOf(reader) == manual; })) << "the reader shows " << TextOf(reader);
  }
  test::Pump(500);
  SaveScreenshot("unzipped-help");
  ::PostMessageA(help, WM_CLOSE, 0, 0);
  ASSERT_TRUE(test::PumpUntil([] { return !Visible("Korvi8Help"); }));

  // "Exit", the menu's last item.
  for (int attempt = 0; attempt < 3 && pager.Running(); ++attempt) {
    if (!RightClick(pager, 600, 60)) continue;
    Key(VK_UP);
    Key(VK_RETURN);
    test::PumpUntil([&] { return !pager.Running(); }, 8000);
  }
  ASSERT_FALSE(pager.Running()) << "Exit did not end the pager";
  EXPECT_NE(pager.ReadIni().find("[BUTTON128]"), std::string::npos) << "Exit wrote Korvi8.ini beside the exe";
}

}  // namespace
}  // namespace korvi::e2e
