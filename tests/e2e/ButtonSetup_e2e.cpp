// "Button Setup" and the image chooser in the real Korvi8.exe, opened from the command
// menu and driven through their controls: edits reach the panel and the settings file,
// the program chooser fills its fields, the close question guards unsaved edits, and the
// image chooser previews, keeps its choice and sets the desktop's wallpaper.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "buttons/DDConfig_win.h"
#include "buttons/DDImage_win.h"
#include "e2e/MenuDriver.h"
#include "e2e/PagerSession.h"
#include "util/Text.h"
#include "win/TestFiles_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

using C = ConfigControl;
using Setup = ConfigDialogWindow;
using Chooser = ImageDialogWindow;
using test::PumpUntil;

// The panel's colour, and two launchers at the right end of the panel, clear of
// the dialogs, which open in the middle of the screen.
constexpr COLORREF kPanel = RGB(0, 128, 128);
constexpr RECT kButton15{850, 6, 1000, 46}, kButton20{850, 52, 1000, 92};
const char* const kIni =
    "[FORM]\r\nHIDE=0\r\nEDGE=1\r\nCOLOR=8421376\r\n[DESKTOP]\r\nCOUNT=2\r\n"
    "[BUTTON15]\r\nVISIBLE=1\r\nLEFT=850\r\nTOP=6\r\nWIDTH=150\r\nHEIGHT=40\r\nCAPTION=Fifteen\r\nHINT=hint 15\r\n"
    "PROGRAM=C:\\windows\\notepad.exe\r\nARGS=-15\r\nIDATA=0\r\n"
    "[BUTTON20]\r\nVISIBLE=1\r\nLEFT=850\r\nTOP=52\r\nWIDTH=150\r\nHEIGHT=40\r\nCAPTION=Twenty\r\nHINT=hint 20\r\n"
    "PROGRAM=C:\\windows\\notepad.exe\r\nARGS=-20\r\nIDATA=0\r\n";

RECT OnScreen(const PagerSession& pager, RECT r) {
  ::MapWindowPoints(pager.Pager(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

POINT ScreenPoint(HWND control, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(control, &p);
  return p;
}

COLORREF PixelOf(HWND control, int x, int y) {
  const POINT p = ScreenPoint(control, x, y);
  return ScreenPixel(p.x, p.y);
}

int CountColour(const RECT& area, COLORREF colour) {
  int n = 0;
  for (COLORREF c : ScreenPixels(area)) n += c == colour;
  return n;
}

// A section of the settings file as "KEY=value" lines, without the lines of `leaveOut`.
std::string Section(const PagerSession& pager, const char* section, const std::string& leaveOut = "") {
  std::vector<char> buf(32768, '\0');
  const DWORD n = ::GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()), pager.IniPath().c_str());
  std::string out;
  for (const char* line = buf.data(); line < buf.data() + n && *line; line += std::strlen(line) + 1)
    if (leaveOut.empty() || std::string(line).rfind(leaveOut + "=", 0) != 0) out += std::string(line) + "\n";
  return out;
}

// --- Button Setup -------------------------------------------------------------------------------

HWND Field(HWND setup, C c) { return ::GetDlgItem(setup, Setup::FieldId(c)); }

// Right click on the panel at `at` (client point), then "Configure Buttons".
HWND OpenSetupOn(PagerSession& pager, POINT at) {
  HWND setup = ChooseUntilShown(pager, at.x, at.y, menu::Configure, Setup::kClassName, nullptr, 8000);
  test::Pump(300);  // painted
  return setup;
}

// Closes "Button Setup" (no question expected) and waits for the save that follows it.
bool CloseSetup(const PagerSession& pager, HWND setup) {
  ::DeleteFileA(pager.IniPath().c_str());
  Press(setup, Setup::kClose);
  return PumpUntil([&] { return !::IsWindowVisible(setup); }) &&
         PumpUntil([&] { return ::GetFileAttributesA(pager.IniPath().c_str()) != INVALID_FILE_ATTRIBUTES; });
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 40 && std::abs(GetGValue(a) - GetGValue(b)) <= 40 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 40;
}

// Whether some of the field's text shows in `colour` on the screen.
bool ShowsColour(HWND field, COLORREF colour) {
  RECT r{};
  ::GetWindowRect(field, &r);
  for (COLORREF c : ScreenPixels(r))
    if (Near(c, colour)) return true;
  return false;
}
bool ShowsBlue(HWND field) { return ShowsColour(field, RGB(0, 0, 255)); }

// The label of entry n (from 1) of a list box. Asked for in UTF-16: Wine passes an ANSI
// list box's text to another process cut after its first character.
std::string ListLabel(HWND list, int n) {
  wchar_t text[256] = {};
  DWORD_PTR got = 0;
  ::SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(n - 1), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &got);
  char ansi[512] = {};
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
  return ansi;
}

// Exactly the buttons `ns` are selected in the list.
bool Selected(HWND list, std::vector<int> ns) {
  if (::SendMessageA(list, LB_GETSELCOUNT, 0, 0) != static_cast<LRESULT>(ns.size())) return false;
  for (int n : ns)
    if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(n - 1), 0) <= 0) return false;
  return true;
}

// Clicks entry `index` (from 0) of a list box with the mouse until `done`. With `add`
// the click is Ctrl+click, posted to the list box itself: under Wine a click injected
// after an injected Ctrl press reached the list as a plain click.
bool ClickEntry(HWND list, int index, bool add, const std::function<bool()>& done) {
  // Scrolled only when out of sight: two clicks on the same spot would make a double click.
  RECT client{};
  ::GetClientRect(list, &client);
  int top = static_cast<int>(::SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  const int h = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  if (index < top || (index - top + 1) * h > client.bottom) {
    ::SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    test::Pump(100);
    top = static_cast<int>(::SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  }
  const int y = (index - top) * h + h / 2;
  if (!add) return ClickUntil(ScreenPoint(list, 30, y), done);
  ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(30, y));
  ::PostMessageA(list, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(30, y));
  return PumpUntil(done, 3000);
}

// The bottom bar between "Close" and "Apply", where the sample stands.
RECT SampleArea(HWND setup) {
  RECT close{}, apply{};
  ::GetWindowRect(::GetDlgItem(setup, Setup::kClose), &close);
  ::GetWindowRect(::GetDlgItem(setup, Setup::kApply), &apply);
  return {close.right + 2, close.top - 14, apply.left - 2, close.bottom + 14};
}

TEST(ButtonSetupEndToEnd, CaptionWidthProgramChooserAndTheCloseQuestion) {
  PagerSession pager(kIni);
  const std::string threeIcons = pager.Folder() + "\\ThreeIcons.exe";
  ASSERT_TRUE(::CopyFileA(test::Fixture("ThreeIcons.exe").c_str(), threeIcons.c_str(), FALSE));
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  const RECT b15 = OnScreen(pager, kButton15), b20 = OnScreen(pager, kButton20);
  const RECT both{b15.left, b15.top, b20.right, b20.bottom};
  ASSERT_EQ(ScreenPixel(b15.left - 4, b15.top + 10), kPanel) << "the panel's colour";

  // A new caption: the panel shows it at Apply, the list label follows, the caller saves it.
  const std::vector<COLORREF> oldCaption = ScreenPixels(b15);
  HWND setup = OpenSetupOn(pager, {900, 26});
  ASSERT_TRUE(setup) << "Button Setup did not open";
  HWND list = ::GetDlgItem(setup, Setup::kList);
  EXPECT_EQ(ControlText(Field(setup, C::llID)), "15");
  EXPECT_TRUE(Selected(list, {15}));
  EXPECT_EQ(ControlText(Field(setup, C::eeCaption)), "Fifteen");
  EXPECT_TRUE(PumpUntil([&] { return ShowsColour(Field(setup, C::cbEnabled), RGB(255, 0, 0)); }, 3000))
      << "\"Enable\" is red for one button";
  EXPECT_FALSE(ShowsBlue(Field(setup, C::eeCaption))) << "nothing is marked on opening";
  SaveScreenshot("button-setup");
  SetControlText(Field(setup, C::eeCaption), "MMMM MMMM");
  EXPECT_TRUE(PumpUntil([&] { return ShowsBlue(Field(setup, C::eeCaption)); }, 3000)) << "a changed field is blue";
  Press(setup, Setup::kApply);
  EXPECT_TRUE(PumpUntil([&] { return ListLabel(list, 15) == "* MMMM MMMM"; })) << ListLabel(list, 15);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixels(b15) != oldCaption; })) << "the panel shows the new caption at once";
  ASSERT_TRUE(CloseSetup(pager, setup));
  EXPECT_EQ(IniValue(pager, "BUTTON15", "CAPTION"), "MMMM MMMM");
  const std::string saved15 = Section(pager, "BUTTON15", "WIDTH"), saved20 = Section(pager, "BUTTON20", "WIDTH");

  // Buttons 15 and 20 chosen with the mouse, only Width changed: both narrow at once,
  // nothing else of them changes.
  setup = OpenSetupOn(pager, {900, 26});
  ASSERT_TRUE(setup);
  ASSERT_TRUE(ClickEntry(list, 14, false, [&] { return Selected(list, {15}); }));
  ASSERT_TRUE(ClickEntry(list, 19, true, [&] { return Selected(list, {15, 20}); })) << "Ctrl+click adds button 20";
  EXPECT_TRUE(PumpUntil([&] { return ShowsColour(Field(setup, C::cbEnabled), RGB(128, 0, 0)); }, 3000))
      << "\"Enable\" is maroon for several buttons";
  SetControlText(Field(setup, C::ssWidth), "120");
  Press(setup, Setup::kApply);
  for (const RECT& b : {b15, b20}) {
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(b.left + 130, b.top + 20) == kPanel; })) << "narrower at once";
    EXPECT_NE(ScreenPixel(b.left + 110, b.top + 20), kPanel);
  }
  ASSERT_TRUE(CloseSetup(pager, setup));
  EXPECT_EQ(IniValue(pager, "BUTTON15", "WIDTH"), "120");
  EXPECT_EQ(IniValue(pager, "BUTTON20", "WIDTH"), "120");
  EXPECT_EQ(Section(pager, "BUTTON15", "WIDTH"), saved15);
  EXPECT_EQ(Section(pager, "BUTTON20", "WIDTH"), saved20);

  // "..." on button 20 with the three-icon program: the fields it fills are blue, and the
  // sample shows the program's first (red) icon.
  const std::vector<COLORREF> panel = ScreenPixels(both);
  const std::string before20 = Section(pager, "BUTTON20");
  setup = OpenSetupOn(pager, {900, 72});
  ASSERT_TRUE(setup);
  EXPECT_EQ(ControlText(Field(setup, C::llID)), "20");
  EXPECT_LT(CountColour(SampleArea(setup), RGB(255, 0, 0)), 20) << "no red in the sample before";
  Press(setup, Setup::kProgram);
  HWND open = WaitWindow("#32770", "Open", 15000);
  ASSERT_TRUE(open) << "no file dialog came";
  ChooseFile(open, threeIcons);
  ASSERT_TRUE(PumpUntil([&] { return SameText(ControlText(Field(setup, C::eeProgram)), threeIcons); }, 8000))
      << ControlText(Field(setup, C::eeProgram));
  struct Filled {
    C field;
    std::string text;
  };
  const Filled filled[] = {{C::eeProgram, threeIcons}, {C::eeStart, pager.Folder() + "\\"}, {C::eeArgs, ""},
                           {C::eeCaption, "ThreeIcons"}, {C::eeHint, threeIcons}, {C::llImage, threeIcons},
                           {C::ssIndex, "0"}};
  for (const Filled& f : filled) {
    const int id = Setup::FieldId(f.field);
    EXPECT_TRUE(SameText(ControlText(Field(setup, f.field)), f.text)) << id << ": " << ControlText(Field(setup, f.field));
    // An emptied field (Arguments) has no text to show its colour in.
    if (!f.text.empty()) {
      EXPECT_TRUE(PumpUntil([&] { return ShowsBlue(Field(setup, f.field)); }, 3000)) << id << " blue";
    }
  }
  // The sample is at most 48 pixels wide: beside the caption only the icon's right edge
  // fits; with the glyph above the caption the whole width of the icon shows.
  auto red = [&] { return CountColour(SampleArea(setup), RGB(255, 0, 0)); };
  EXPECT_TRUE(PumpUntil([&] { return red() >= 60; })) << "the sample shows the first icon: " << red() << " red pixels";
  Press(setup, Setup::FieldId(C::rTop));
  EXPECT_TRUE(PumpUntil([&] { return red() >= 500; })) << "glyph above the caption: " << red() << " red pixels";
  EXPECT_EQ(CountColour(SampleArea(setup), RGB(0, 0xC0, 0)), 0) << "not the second icon";
  SaveScreenshot("button-setup-program");

  // Close with marks set: the question; Cancel keeps the dialog and its edits, No drops them.
  Press(setup, Setup::kClose);
  HWND ask = WaitWindow("#32770", "Confirm");
  ASSERT_TRUE(ask) << "no question";
  EXPECT_EQ(DialogText(ask), TConfigDialog::kSaveQuestion);
  EXPECT_TRUE(::GetDlgItem(ask, IDYES) && ::GetDlgItem(ask, IDNO) && ::GetDlgItem(ask, IDCANCEL));
  test::Pump(200);
  SaveScreenshot("button-setup-question");
  ::PostMessageA(ask, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(ask); }));
  test::Pump(300);
  EXPECT_TRUE(::IsWindowVisible(setup)) << "Cancel keeps the dialog open";
  EXPECT_TRUE(SameText(ControlText(Field(setup, C::eeProgram)), threeIcons)) << "with its edits";
  EXPECT_TRUE(PumpUntil([&] { return ShowsBlue(Field(setup, C::eeProgram)); }, 3000));
  ::DeleteFileA(pager.IniPath().c_str());
  Press(setup, Setup::kClose);
  ask = WaitWindow("#32770", "Confirm");
  ASSERT_TRUE(ask);
  ::PostMessageA(ask, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(setup); })) << "No closes the dialog";
  ASSERT_TRUE(PumpUntil([&] { return IniValue(pager, "BUTTON20", "VISIBLE") == "1"; })) << "saved after the dialog";
  EXPECT_EQ(Section(pager, "BUTTON20"), before20) << "No drops the edits";
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixels(both) == panel; }, 2000)) << "the panel is as it was";

  // The pager again on its saved file: the caption and the widths are still there.
  pager.Close();
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixels(both) == panel; })) << "the restarted panel shows the edited buttons";
  EXPECT_EQ(IniValue(pager, "BUTTON15", "CAPTION"), "MMMM MMMM");
  pager.Close();
}

// --- The image chooser ----------------------------------------------------------------------------

HWND OpenChooser(PagerSession& pager) {
  HWND chooser = ChooseUntilShown(pager, 700, 60, menu::Wallpaper, Chooser::kClassName, nullptr, 8000);
  test::Pump(300);
  return chooser;
}

// Chooses the file `name` in the chooser's file list, as a click would, through the
// list's own selection and notification (the list's mouse handling is not under test
// here), and waits until the path line shows it.
::testing::AssertionResult ClickFile(HWND chooser, const std::string& folder, const std::string& name) {
  HWND files = ::GetDlgItem(chooser, Chooser::kFiles), path = ::GetDlgItem(chooser, Chooser::kPathLine);
  const int count = static_cast<int>(::SendMessageA(files, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    if (ListLabel(files, i + 1) == name) {
      ::SendMessageA(files, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      ::PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(Chooser::kFiles, LBN_SELCHANGE), reinterpret_cast<LPARAM>(files));
      if (PumpUntil([&] { return SameText(ControlText(path), folder + "\\" + name); }))
        return ::testing::AssertionSuccess();
      return ::testing::AssertionFailure() << "chose " << name << " (entry " << i << "); the path line shows '"
                                           << ControlText(path) << "', the selected entry is "
                                           << ::SendMessageA(files, LB_GETCURSEL, 0, 0) << ", the chooser is "
                                           << (::IsWindowVisible(chooser) ? "open" : "closed");
    }
  return ::testing::AssertionFailure() << name << " is not among the " << count << " files listed";
}

void ChooseFilter(HWND chooser, int filter) {
  HWND filters = ::GetDlgItem(chooser, Chooser::kFilters);
  ::SendMessageA(filters, CB_SETCURSEL, static_cast<WPARAM>(filter), 0);
  ::PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(Chooser::kFilters, CBN_SELCHANGE), reinterpret_cast<LPARAM>(filters));
}

TEST(ButtonSetupEndToEnd, ImageChooserPreviewsKeepsItsChoiceAndSetsTheWallpaper) {
  PagerSession pager("[FORM]\r\nHIDE=0\r\nEDGE=1\r\n[DESKTOP]\r\nCOUNT=2\r\n");
  for (const char* name : {"ThreeIcons.exe", "wide.bmp"})
    ASSERT_TRUE(::CopyFileA(test::Fixture(name).c_str(), (pager.Folder() + "\\" + name).c_str(), FALSE)) << name;
  const std::string wide = pager.Folder() + "\\wide.bmp";
  NoWallpaperAfter restore;
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  HWND chooser = OpenChooser(pager);
  ASSERT_TRUE(chooser) << "Set Wallpaper opened no image chooser";
  auto item = [&](int id) { return ::GetDlgItem(chooser, id); };
  HWND preview = item(Chooser::kPreview), index = item(Chooser::kIndex);

  // The three-icon program: "3 Images", and the index steps through red, green and blue.
  ASSERT_TRUE(ClickFile(chooser, pager.Folder(), "ThreeIcons.exe")) << "the chooser starts in the pager's folder";
  EXPECT_EQ(ControlText(item(Chooser::kCountLine)), "3 Images");
  EXPECT_TRUE(::IsWindowEnabled(index));
  EXPECT_EQ(ControlText(index), "0");
  EXPECT_TRUE(PumpUntil([&] { return Near(PixelOf(preview, 80, 80), RGB(255, 0, 0)); })) << "the first icon";
  RECT arrows{};
  ::GetWindowRect(item(Chooser::kIndexArrows), &arrows);
  const POINT up{(arrows.left + arrows.right) / 2, arrows.top + (arrows.bottom - arrows.top) / 4};
  const struct {
    const char* index;
    COLORREF colour;
  } steps[] = {{"1", RGB(0, 0xC0, 0)}, {"2", RGB(0, 0, 255)}};
  for (const auto& s : steps) {
    ASSERT_TRUE(ClickUntil(up, [&] { return ControlText(index) == s.index; })) << ControlText(index);
    EXPECT_TRUE(PumpUntil([&] { return Near(PixelOf(preview, 80, 80), s.colour); })) << "icon " << s.index;
  }

  // A 640 x 480 bitmap shows at 153 x 115, centred: 3 pixels in from the sides, 22 from the top.
  ASSERT_TRUE(ClickFile(chooser, pager.Folder(), "wide.bmp"));
  EXPECT_FALSE(::IsWindowEnabled(index));
  EXPECT_EQ(ControlText(item(Chooser::kCountLine)), "");
  EXPECT_TRUE(PumpUntil([&] { return Near(PixelOf(preview, 80, 80), RGB(255, 0, 255)); }));
  SaveScreenshot("image-chooser");
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  struct Probe {
    int x, y;
    bool picture;
  };
  for (Probe p : {Probe{80, 80, true}, {4, 23, true}, {154, 135, true}, {1, 80, false}, {158, 80, false},
                  {80, 20, false}, {80, 138, false}}) {
    const COLORREF c = PixelOf(preview, p.x, p.y);
    EXPECT_TRUE(Near(c, p.picture ? RGB(255, 0, 255) : face)) << p.x << "," << p.y << ": " << std::hex << c;
  }

  // "JPEG Files": no file is selected.
  ChooseFilter(chooser, 3);
  EXPECT_TRUE(PumpUntil([&] { return ControlText(item(Chooser::kPathLine)).empty(); })) << "no file selected";
  EXPECT_EQ(::SendMessageA(item(Chooser::kFiles), LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_FALSE(::IsWindowEnabled(index));

  // The bitmap again, then Cancel: no wallpaper. Reopened, the same file is chosen, and
  // OK makes it desktop 1's wallpaper.
  ChooseFilter(chooser, 2);  // "Bitmap Files"
  ASSERT_TRUE(PumpUntil([&] { return ::SendMessageA(item(Chooser::kFiles), LB_GETCOUNT, 0, 0) > 0; }));
  ASSERT_TRUE(ClickFile(chooser, pager.Folder(), "wide.bmp"));
  ::DeleteFileA(pager.IniPath().c_str());
  Press(chooser, IDCANCEL);
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(chooser); }));
  EXPECT_TRUE(PumpUntil([&] { return IniValue(pager, "DESKTOP", "COUNT") == "2"; })) << "saved on cancel too";
  EXPECT_EQ(IniValue(pager, "WALLPAPER", "FILE1"), "");
  ASSERT_EQ(OpenChooser(pager), chooser);
  EXPECT_TRUE(SameText(ControlText(item(Chooser::kPathLine)), wide)) << "the same file comes back";
  EXPECT_EQ(ListLabel(item(Chooser::kFiles),
                      static_cast<int>(::SendMessageA(item(Chooser::kFiles), LB_GETCURSEL, 0, 0)) + 1),
            "wide.bmp");
  Press(chooser, IDOK);
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(chooser); }));
  EXPECT_TRUE(PumpUntil([&] { return SameText(IniValue(pager, "WALLPAPER", "FILE1"), wide); }))
      << IniValue(pager, "WALLPAPER", "FILE1");
  // The desktop shows the picture, centred as Wine draws a wallpaper: magenta in the
  // middle and its one black pixel in the bottom left corner. (SPI_GETDESKWALLPAPER
  // cannot tell here: Wine keeps a process's first answer, and an earlier test asked.)
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(w / 2, h / 2) == RGB(255, 0, 255); }))
      << "the desktop shows the picture: " << std::hex << ScreenPixel(w / 2, h / 2);
  EXPECT_EQ(ScreenPixel((w - 640) / 2, (h - 480) / 2 + 479), RGB(0, 0, 0));
  EXPECT_EQ(ScreenPixel((w - 640) / 2 + 1, (h - 480) / 2 + 479), RGB(255, 0, 255));
  SaveScreenshot("wallpaper");
  pager.Close();
}

}  // namespace
}  // namespace korvi::e2e
