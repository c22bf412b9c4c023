// The pager window's start-up, layout and mouse tracking over a scripted desktop.
#include <gtest/gtest.h>

#include "main/main.h"
#include "support/FakeForm.h"
#include "support/FakePlatform.h"
#include "support/PagerRig.h"

namespace korvi {
namespace {

class PagerStartup : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  SharedState data;
  TWinListDialog winList{fake.Windows};
  TForm1 form{data, fake.Ref, winList};
  test::FakeFormHost host;

  void SetUp() override { host.Rect_ = {0, 668, 300, 768}; }

  void Start(const std::string& ini) {
    if (!ini.empty()) fake.Files.Files["C:\\Korvi\\Korvi8.ini"] = ini;
    form.AttachHost(&host);
    form.FormCreate("C:\\Korvi");
  }
};

TEST(PagerStartupLauncher, KeysLeftOutKeepWhatTheProgramGaveEmptyOnesStayEmpty) {
  struct Case {
    const char* keys;
    const char *start, *glyph, *caption;
  };
  const Case cases[] = {
      {"", "C:\\Apps\\", "C:\\Apps\\edit.exe", "edit"},
      {"START=\r\nGLYPH=\r\nCAPTION=\r\n", "", "", ""},
      {"START=D:\\w\r\nCAPTION=Notes\r\n", "D:\\w\\", "C:\\Apps\\edit.exe", "Notes"},
  };
  for (const Case& c : cases) {
    test::FakePlatform fake;
    SharedState data;
    TWinListDialog winList{fake.Windows};
    TForm1 form{data, fake.Ref, winList};
    const std::string ini = std::string("[BUTTON11]\r\nVISIBLE=1\r\nPROGRAM=C:\\Apps\\edit.exe\r\n") + c.keys;
    fake.Files.Files["C:\\Korvi\\Korvi8.ini"] = ini;
    form.FormCreate("C:\\Korvi");
    const TExeButton& b = form.Button(11);
    EXPECT_EQ(b.ExeStart(), c.start) << c.keys;
    EXPECT_EQ(b.GlyphName(), c.glyph) << c.keys;
    EXPECT_EQ(b.Caption, c.caption) << c.keys;
  }
}

TEST_F(PagerStartup, SelectorsFollowTheDesktopCountWhateverTheFileSays) {
  Start("[DESKTOP]\r\nCOUNT=2\r\n[BUTTON1]\r\nVISIBLE=0\r\nIDATA=1000\r\n[BUTTON2]\r\nVISIBLE=1\r\nIDATA=0\r\n"
        "[BUTTON3]\r\nVISIBLE=1\r\nIDATA=7\r\n");
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(form.Button(n).Enabled, n <= 2) << "selector " << n;
    EXPECT_EQ(form.Button(n).Visible, n <= 2) << "selector " << n;
    EXPECT_EQ(form.Button(n).IData, n) << "selector " << n;
    EXPECT_TRUE(form.Button(n).OnClick) << "selector " << n;
  }
  EXPECT_EQ(form.Button(1).Caption, "Desktop 1");
  EXPECT_EQ(data.SettingsPath, "C:\\Korvi\\Korvi8.ini");
  EXPECT_EQ(data.HelpPath, "c:\\korvi\\korvi8.html");
}

TEST_F(PagerStartup, StartsOnDesktopOneWithItsWallpaperAndMovesNoWindow) {
  fake.Files.Files["C:\\w1.bmp"] = "BM";
  WindowHandle w = fake.Windows.Add({-3000, 0, -2000, 100});
  Start("[WALLPAPER]\r\nFILE1=C:\\w1.bmp\r\n");
  EXPECT_EQ(data.CurrentDesktop, 1);
  EXPECT_TRUE(form.Button(1).Down);
  EXPECT_FALSE(form.Button(2).Down);
  EXPECT_EQ(fake.Desktop.Wallpapers, std::vector<std::string>{"C:\\w1.bmp"});
  EXPECT_EQ(fake.Windows.Get(w).Bounds.Left, -3000) << "no window is moved at start-up";
  EXPECT_TRUE(fake.Windows.Moves.empty());
}

TEST_F(PagerStartup, ArrangeWrapsRowsAtTheWindowWidth) {
  fake.Windows.Work = {0, 0, 300, 768};  // the docked panel spans the work area: 300 wide
  Start("[DESKTOP]\r\nCOUNT=4\r\n");
  ASSERT_EQ(host.Rect_.Width(), 300);
  form.ArrangeButtons();
  // Width 300: 4 + 75 + 4 + 75 + 4 + 75 = 237; the fourth would end at 316 > 300.
  EXPECT_EQ((Point{form.Button(1).Left, form.Button(1).Top}), (Point{4, 4}));
  EXPECT_EQ((Point{form.Button(2).Left, form.Button(2).Top}), (Point{83, 4}));
  EXPECT_EQ((Point{form.Button(3).Left, form.Button(3).Top}), (Point{162, 4}));
  EXPECT_EQ((Point{form.Button(4).Left, form.Button(4).Top}), (Point{4, 33}));
  // A button wider than the window opens a row of its own, even as the first button.
  form.Button(1).Width = 400;
  form.ArrangeButtons();
  EXPECT_EQ((Point{form.Button(1).Left, form.Button(1).Top}), (Point{4, 8}));
  EXPECT_EQ(form.Button(2).Top, 8 + 25 + 4) << "the next row starts below the tallest button";
}

TEST(PagerStartupSelectors, SelectorsWithoutAPlaceAreLaidOutNotStackedAtTheOrigin) {
  struct Case {
    const char* ini;
    int32_t countTag;  // then "Numer of Desktops", 0 for none
    Point five, six;   // where selectors 5 and 6 end up
  };
  // 300 wide: three selectors to a row; the start-up layout placed 1..4.
  const Case cases[] = {{"[DESKTOP]\r\nCOUNT=10\r\n", 0, {83, 33}, {162, 33}},
                        {"[DESKTOP]\r\nCOUNT=2\r\n", 110, {83, 33}, {162, 33}},
                        {"[DESKTOP]\r\nCOUNT=10\r\n[BUTTON6]\r\nVISIBLE=1\r\nLEFT=9\r\nTOP=62\r\n", 0,
                         {83, 33}, {9, 62}},
                        // Shown records that give no place: laid out like the rest.
                        {"[DESKTOP]\r\nCOUNT=10\r\n[BUTTON2]\r\nVISIBLE=1\r\n[BUTTON6]\r\nVISIBLE=1\r\n", 0,
                         {83, 33}, {162, 33}},
                        {"[DESKTOP]\r\nCOUNT=2\r\n[BUTTON5]\r\nVISIBLE=1\r\nWIDTH=75\r\n", 110,
                         {83, 33}, {162, 33}}};
  for (const Case& c : cases) {
    test::PagerRig r;
    r.fake.Windows.Work = {0, 0, 300, 768};
    r.Start(c.ini);
    if (c.countTag) r.form.Popup1Popup(c.countTag);
    for (int n = 1; n <= 10; ++n) {
      const TExeButton& b = r.form.Button(n);
      ASSERT_TRUE(b.Enabled) << c.ini << " selector " << n;
      EXPECT_LE(b.Left + b.Width, 300) << c.ini << " selector " << n;
      EXPECT_EQ(r.form.ButtonAt(b.Left + 1, b.Top + 1), n) << c.ini << " selector " << n << " lies under another";
    }
    EXPECT_EQ((Point{r.form.Button(5).Left, r.form.Button(5).Top}), c.five) << c.ini;
    EXPECT_EQ((Point{r.form.Button(6).Left, r.form.Button(6).Top}), c.six) << c.ini << ": a place from the file stays";
  }
}

TEST(PagerStartupSelectors, KeysLeftOutKeepTheLookTheLayoutGives) {
  struct Case {
    const char* keys;  // of [BUTTON2], after VISIBLE=1
    const char* caption;
    int32_t width, height;
    TColor color;
  };
  const Case cases[] = {{"", "Desktop 2", 75, 25, clRed},
                        {"WIDTH=90\r\nCAPTION=Two\r\n", "Two", 90, 25, clRed},
                        {"HEIGHT=30\r\nCAPTION=\r\nFONT=Arial, $00000000, 8, ----\r\n", "", 75, 30, clBlack}};
  for (const Case& c : cases) {
    test::PagerRig r;
    r.Start(std::string("[DESKTOP]\r\nCOUNT=2\r\n[BUTTON2]\r\nVISIBLE=1\r\n") + c.keys);
    const TExeButton& b = r.form.Button(2);
    EXPECT_EQ(b.Caption, c.caption) << c.keys;
    EXPECT_EQ(b.Width, c.width) << c.keys;
    EXPECT_EQ(b.Height, c.height) << c.keys;
    EXPECT_EQ(b.Font.Color, c.color) << c.keys;
  }
}

TEST_F(PagerStartup, MouseTrackingNamesTheHotButton) {
  Start("");
  TExeButton& b = form.Button(17);
  b.Left = 100;
  b.Top = 20;
  form.ButtonMouseMove(b, ssShift, 5, 6);
  EXPECT_EQ(form.HotButton, 17);
  EXPECT_EQ(form.MouseX, 105);
  EXPECT_EQ(form.MouseY, 26);
  EXPECT_TRUE(form.ResizeMode);
  form.FormMouseMove(0, 7, 8);
  EXPECT_EQ(form.HotButton, 0);
  EXPECT_FALSE(form.ResizeMode);
}

TEST_F(PagerStartup, BackgroundClickSavesAndSelectorClickSwitches) {
  Start("");
  const int writes = fake.Files.Writes;
  form.FormClick();
  EXPECT_GT(fake.Files.Writes, writes) << "a click on the bare panel writes the settings";
  WindowHandle w = fake.Windows.Add({100, 0, 200, 100});
  form.Button(2).Click();
  EXPECT_EQ(data.CurrentDesktop, 2);
  EXPECT_EQ(fake.Windows.Get(w).Bounds.Left, 100 - 1024);
  EXPECT_TRUE(form.Button(2).Down);
  EXPECT_FALSE(form.Button(1).Down);
}

}  // namespace
}  // namespace korvi
