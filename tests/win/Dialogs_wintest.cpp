// The image chooser and "Button Setup" as real windows: driven with real messages and
// clicks while their modal loops run, checked on the screen and in the buttons.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "buttons/DDConfig.h"
#include "buttons/DDConfig_win.h"
#include "buttons/DDImage.h"
#include "buttons/DDImage_win.h"
#include "buttons/FileImage_win.h"
#include "e2e/PagerSession.h"
#include "win/TestFiles_win.h"
#include "platform/WideText_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

using test::Fixture;
using test::PumpUntil;
using test::TempFolder;

// --- Acting while a modal dialog is open ---------------------------------------------------------

std::function<void()> g_script;
void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  auto script = std::move(g_script);
  g_script = nullptr;
  if (script) script();
}
// Runs `script` from inside the next modal loop, as the user acting in the open dialog.
void WhileOpen(std::function<void()> script) {
  g_script = std::move(script);
  ::SetTimer(nullptr, 0, 30, RunScript);
}

void ClickAt(HWND control, int x, int y, WPARAM keys = 0) {
  ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
  ::SendMessageA(control, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}
void ClickItem(HWND list, const std::string& text, WPARAM keys = 0) {
  const LRESULT i =
      ::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Widen(text).c_str()));
  ASSERT_NE(i, LB_ERR) << text;
  ::SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(i), 0);
  RECT r{};
  ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
  ClickAt(list, r.left + 4, (r.top + r.bottom) / 2, keys);
}
void ClickArrow(HWND arrows, bool up) {
  RECT r{};
  ::GetClientRect(arrows, &r);
  ClickAt(arrows, r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
}
void Click(HWND button) { ::SendMessageA(button, BM_CLICK, 0, 0); }
void Choose(HWND parent, HWND combo, int index) {
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}
std::string Text(HWND h) { return WindowText(h); }  // UTF-8

// The standard dialogs (message boxes, file dialogs) this thread shows, by title.
struct Found {
  const char* title;
  HWND hwnd;
};
BOOL CALLBACK FindDialog(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  char cls[64] = {};
  ::GetClassNameA(h, cls, sizeof cls);
  if (::IsWindowVisible(h) && std::string(cls) == "#32770" && (!f->title || Text(h) == f->title)) {
    f->hwnd = h;
    return FALSE;
  }
  return TRUE;
}
HWND StandardDialog(const char* title) {
  Found f{title, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&f));
  return f.hwnd;
}

// Answers the next "Confirm" question with the button `id`, keeping its text.
std::string g_question;
int g_answer = 0;
void CALLBACK AnswerQuestion(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = StandardDialog("Confirm");
  if (!box) return;
  ::KillTimer(nullptr, id);
  g_question = Text(::GetDlgItem(box, 0xFFFF));
  HWND button = ::GetDlgItem(box, g_answer);
  g_question += button ? "" : " (no such button)";
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button ? g_answer : IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}
void AnswerNextQuestion(int id) {
  g_question.clear();
  g_answer = id;
  ::SetTimer(nullptr, 0, 30, AnswerQuestion);
}

// Colour of a point of a control's client area, as the screen shows it.
COLORREF PixelOf(HWND control, int x, int y) {
  // Parts a closed dialog uncovered are repainted once the display reports them.
  test::Pump(50);
  ::UpdateWindow(control);
  POINT p{x, y};
  ::ClientToScreen(control, &p);
  return e2e::ScreenPixel(p.x, p.y);
}
bool Near(COLORREF a, COLORREF b, int tolerance = 40) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A screenshot of the whole screen once the dialog has painted everything.
void Screenshot(HWND dialog, const char* name) {
  ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  test::Pump(100);
  e2e::SaveScreenshot(name);
}

void CopyFixture(const std::string& name, const std::string& to) {
  ASSERT_TRUE(::CopyFileA(Fixture(name).c_str(), to.c_str(), FALSE)) << name;
}

// --- The image chooser -----------------------------------------------------------------------------

class ImageDialogWinTest : public ::testing::Test {
 protected:
  ImageDialogWinTest() : previews(images), dialog(&previews), view(dialog) {
    EXPECT_TRUE(view.Create(::GetModuleHandleA(nullptr), nullptr));
  }
  HWND Item(int id) { return view.Item(id); }
  FileImage images;
  Win32PreviewSource previews;
  TImageDialog dialog;
  ImageDialogWindow view;
  TempFolder folder;
};

TEST_F(ImageDialogWinTest, ProgramIconsBitmapPreviewFilterAndKeptResult) {
  CopyFixture("ThreeIcons.exe", folder / "ThreeIcons.exe");
  CopyFixture("wide.bmp", folder / "wide.bmp");
  CopyFixture("PHOTO.JPG", folder / "photo.jpg");
  view.ChangeFolder(folder.Path());
  HWND preview = Item(ImageDialogWindow::kPreview);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  WhileOpen([&] {
    ClickItem(Item(ImageDialogWindow::kFiles), "ThreeIcons.exe");
    EXPECT_EQ(Text(Item(ImageDialogWindow::kPathLine)), folder / "ThreeIcons.exe");
    EXPECT_EQ(Text(Item(ImageDialogWindow::kCountLine)), "3 Images");
    EXPECT_TRUE(::IsWindowEnabled(Item(ImageDialogWindow::kIndex)));
    EXPECT_EQ(Text(Item(ImageDialogWindow::kIndex)), "0");
    EXPECT_TRUE(Near(PixelOf(preview, 80, 80), RGB(255, 0, 0))) << std::hex << PixelOf(preview, 80, 80);
    Screenshot(view.Hwnd(), "image-dialog");
    ClickArrow(Item(ImageDialogWindow::kIndexArrows), true);
    ClickArrow(Item(ImageDialogWindow::kIndexArrows), true);
    EXPECT_EQ(Text(Item(ImageDialogWindow::kIndex)), "2");
    EXPECT_TRUE(Near(PixelOf(preview, 80, 80), RGB(0, 0, 255))) << "the third icon";

    // 640 x 480 shows at 153 x 115, centred: 3 pixels in from the sides, 22 from the top.
    ClickItem(Item(ImageDialogWindow::kFiles), "wide.bmp");
    EXPECT_FALSE(::IsWindowEnabled(Item(ImageDialogWindow::kIndex)));
    EXPECT_EQ(Text(Item(ImageDialogWindow::kCountLine)), "");
    EXPECT_EQ(Text(Item(ImageDialogWindow::kIndex)), "0");
    struct Probe { int x, y; bool picture; };
    for (Probe p : {Probe{80, 80, true}, {4, 23, true}, {154, 135, true}, {1, 80, false}, {158, 80, false},
                    {80, 20, false}, {80, 138, false}}) {
      const COLORREF c = PixelOf(preview, p.x, p.y);
      EXPECT_TRUE(Near(c, p.picture ? RGB(255, 0, 255) : face)) << p.x << "," << p.y << ": " << std::hex << c;
    }

    // A new filter leaves no file selected.
    Choose(view.Hwnd(), Item(ImageDialogWindow::kFilters), 3);  // "JPEG Files"
    EXPECT_EQ(::SendMessageA(Item(ImageDialogWindow::kFiles), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(::SendMessageA(Item(ImageDialogWindow::kFiles), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(Text(Item(ImageDialogWindow::kPathLine)), "");
    EXPECT_FALSE(::IsWindowEnabled(Item(ImageDialogWindow::kIndex)));
    EXPECT_EQ(dialog.FileName, "");

    Choose(view.Hwnd(), Item(ImageDialogWindow::kFilters), 6);  // "Executable Files"
    ClickItem(Item(ImageDialogWindow::kFiles), "ThreeIcons.exe");
    ClickArrow(Item(ImageDialogWindow::kIndexArrows), true);
    EXPECT_TRUE(Near(PixelOf(preview, 80, 80), RGB(0, 0xC0, 0))) << "the second icon";
    Click(Item(IDCANCEL));
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_FALSE(::IsWindowVisible(view.Hwnd()));
  // Reopened and confirmed untouched: the same file and index come back.
  WhileOpen([&] {
    EXPECT_EQ(Text(Item(ImageDialogWindow::kIndex)), "1");
    Click(Item(IDOK));
  });
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, folder / "ThreeIcons.exe");
  EXPECT_EQ(dialog.ImageIndex, 1);
}

// A folder and a picture named in other scripts are listed, previewed and chosen by
// their whole names.
TEST_F(ImageDialogWinTest, FolderAndFileNamedInOtherScriptsAreListedAndChosen) {
  const std::string sub = folder / "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE \xCE\xB1\xCE\xB2\\";
  const std::string name = "\xD0\xBA\xD0\xB0\xD1\x80\xD1\x82\xD0\xB8\xD0\xBD\xD0\xBA\xD0\xB0.bmp";
  ASSERT_TRUE(::CreateDirectoryW(Widen(sub).c_str(), nullptr));
  ASSERT_TRUE(::CopyFileW(Widen(Fixture("wide.bmp")).c_str(), Widen(sub + name).c_str(), FALSE));
  view.ChangeFolder(sub);
  WhileOpen([&] {
    EXPECT_EQ(view.Folder(), sub);
    ClickItem(Item(ImageDialogWindow::kFiles), name);
    EXPECT_EQ(Text(Item(ImageDialogWindow::kPathLine)), sub + name);
    const COLORREF c = PixelOf(Item(ImageDialogWindow::kPreview), 80, 80);
    EXPECT_TRUE(Near(c, RGB(255, 0, 255))) << "the picture is previewed: " << std::hex << c;
    Screenshot(view.Hwnd(), "image-dialog-scripts");
    Click(Item(IDOK));
  });
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, sub + name);
}

TEST_F(ImageDialogWinTest, BadFilesAndFoldersGiveFallbacksOrEmptyListsWithoutMessages) {
  test::WriteFileBytes(folder / "corrupt.jpg", std::string("\xFF\xD8\xFF\xE0 not really a picture", 26));
  // A bitmap header that claims 30000 x 30000 pixels over a few bytes.
  std::string huge(54, '\0');
  huge[0] = 'B', huge[1] = 'M', huge[10] = 54, huge[14] = 40, huge[26] = 1, huge[28] = 24;
  const int32_t side = 30000;
  std::memcpy(&huge[18], &side, 4);
  std::memcpy(&huge[22], &side, 4);
  test::WriteFileBytes(folder / "huge.bmp", huge);
  // A file whose full path is longer than the system's 259 characters.
  const std::string longName = std::string(std::min<size_t>(265 - std::min<size_t>(folder.Path().size(), 60), 240), 'x') + "-long.exe";
  const std::string longPath = folder / longName;
  ASSERT_GE(longPath.size(), 260u);
  const std::wstring wide = L"\\\\?\\" + std::wstring(longPath.begin(), longPath.end());
  HANDLE f = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  ::CloseHandle(f);
  ::CreateDirectoryA((folder / "gone").c_str(), nullptr);
  view.ChangeFolder(folder.Path());
  WhileOpen([&] {
    for (const std::string& name : {std::string("corrupt.jpg"), std::string("huge.bmp"), longName}) {
      ClickItem(Item(ImageDialogWindow::kFiles), name);
      EXPECT_EQ(dialog.FileName, folder / name);
      ASSERT_NE(dialog.Preview, nullptr) << name;
      EXPECT_EQ(dialog.Preview->Width(), 32) << name << ": the fallback picture";
    }
    // A listed folder that vanished: its parent is shown instead.
    ::RemoveDirectoryA((folder / "gone").c_str());
    HWND folders = Item(ImageDialogWindow::kFolders);
    ClickItem(folders, "gone");
    ::SendMessageA(view.Hwnd(), WM_COMMAND, MAKEWPARAM(ImageDialogWindow::kFolders, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(folders));
    EXPECT_EQ(view.Folder(), folder.Path());
    // A drive that is not there: empty lists.
    view.ChangeFolder("Q:\\nothing\\");
    EXPECT_EQ(::SendMessageA(Item(ImageDialogWindow::kFiles), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(dialog.FileName, "");
    EXPECT_EQ(StandardDialog(nullptr), nullptr) << "no message box";
    Click(Item(IDCANCEL));
  });
  EXPECT_FALSE(dialog.Execute());
}

// --- Button Setup ----------------------------------------------------------------------------------

class ConfigDialogWinTest : public ::testing::Test {
 protected:
  ConfigDialogWinTest()
      : glyphs(images), previews(images), imageDialog(&previews),
        config([this](int32_t n) -> TExeButton& { return *buttons[n - 1]; }, &glyphs, imageDialog),
        view(config), imageView(imageDialog) {
    for (int i = 0; i < kButtonCount; ++i) {
      buttons[i] = std::make_unique<TExeButton>(&glyphs);
      TExeButton& b = *buttons[i];
      b.Tag = i + 1;
      b.Enabled = b.Visible = i < 4 || i == 11 || i == 14 || i == 19;
      b.IData = i < 10 ? i + 1 : 0;
      b.Caption = "Button " + std::to_string(i + 1);
    }
    EXPECT_TRUE(view.Create(::GetModuleHandleA(nullptr), nullptr));
    EXPECT_TRUE(imageView.Create(::GetModuleHandleA(nullptr), nullptr));
    config.OnSaved = [this] { ++saves; };
  }
  HWND Field(ConfigControl c) { return view.Field(c); }
  void AfterEnter();
  HWND Item(int id) { return view.Item(id); }
  TExeButton& B(int n) { return *buttons[n - 1]; }

  FileImage images;
  Win32GlyphSource glyphs;
  Win32PreviewSource previews;
  TImageDialog imageDialog;
  std::array<std::unique_ptr<TExeButton>, kButtonCount> buttons;
  TConfigDialog config;
  ConfigDialogWindow view;
  ImageDialogWindow imageView;
  int saves = 0;
};

TEST_F(ConfigDialogWinTest, EditApplyMultiSelectAndTheCloseQuestion) {
  using C = ConfigControl;
  HWND list = Item(ConfigDialogWindow::kList);
  WhileOpen([&] {
    EXPECT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 128);
    EXPECT_GT(::SendMessageA(list, LB_GETSEL, 11, 0), 0);
    EXPECT_EQ(Text(Field(C::llID)), "12");
    EXPECT_EQ(Text(Field(C::eeCaption)), "Button 12");
    // Typing a caption marks it; Enter applies it and the list label follows.
    ::SetWindowTextA(Field(C::eeCaption), "Writer");
    EXPECT_EQ(config.Control(C::eeCaption).TextColor, clBlue);
    ::SetFocus(Field(C::eeCaption));
    ::PostMessageA(Field(C::eeCaption), WM_KEYDOWN, VK_RETURN, 0);  // goes through the dialog's own loop
    WhileOpen([&] { AfterEnter(); });
  });
  EXPECT_TRUE(config.Execute(12));
  EXPECT_EQ(g_question, "Buttons Have Changed; Save New Parameters?");
  EXPECT_FALSE(::IsWindowVisible(view.Hwnd()));
  EXPECT_EQ(B(15).Hint, "");
  EXPECT_EQ(B(20).Hint, "");
}

// Captions, hints and programs in other scripts show in the fields and the list as
// they are, and what is typed comes back to the buttons whole.
TEST_F(ConfigDialogWinTest, TextsInOtherScriptsRoundTripThroughTheFields) {
  using C = ConfigControl;
  const std::string cyrillic = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xE2\x9C\x93", greek = "\xCE\xB1\xCE\xB2\xCE\xB3";
  const std::string program = "C:\\\xD0\x9F\xD1\x80\xD0\xBE\\\xCE\xB4.exe";
  B(12).Caption = cyrillic;
  B(12).Hint = greek;
  B(12).SetExeName(program);
  B(12).Caption = cyrillic;  // the program's writer sets a caption of its own
  HWND list = Item(ConfigDialogWindow::kList);
  auto label = [&](int i) {
    wchar_t text[256] = {};
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return Narrow(text);
  };
  WhileOpen([&] {
    EXPECT_EQ(Text(Field(C::eeCaption)), cyrillic);
    EXPECT_EQ(Text(Field(C::eeHint)), greek);
    EXPECT_EQ(Text(Field(C::eeProgram)), program);
    EXPECT_EQ(label(11), "* " + cyrillic);
    ::SetWindowTextW(Field(C::eeCaption), L"\x03B5\x03BD\x03B1 \x0434\x0432\x0430");
    ::SetWindowTextW(Field(C::eeArgs), L"/\x0444 \"\x03C7 y\"");
    Click(Item(ConfigDialogWindow::kApply));
    EXPECT_EQ(B(12).Caption, "\xCE\xB5\xCE\xBD\xCE\xB1 \xD0\xB4\xD0\xB2\xD0\xB0");
    EXPECT_EQ(B(12).ExeArgs(), "/\xD1\x84 \"\xCF\x87 y\"");
    EXPECT_EQ(label(11), "* \xCE\xB5\xCE\xBD\xCE\xB1 \xD0\xB4\xD0\xB2\xD0\xB0");
    Screenshot(view.Hwnd(), "button-setup-scripts");
    Click(Item(ConfigDialogWindow::kClose));
  });
  EXPECT_TRUE(config.Execute(12));
}

void ConfigDialogWinTest::AfterEnter() {
  using C = ConfigControl;
  HWND list = Item(ConfigDialogWindow::kList);
  {
    EXPECT_EQ(B(12).Caption, "Writer");
    EXPECT_EQ(saves, 1);
    char label[64] = {};
    ::SendMessageA(list, LB_GETTEXT, 11, reinterpret_cast<LPARAM>(label));
    EXPECT_STREQ(label, "* Writer");
    EXPECT_GT(::SendMessageA(list, LB_GETSEL, 11, 0), 0) << "the selection stays";

    // Buttons 15 and 20 (click, then Ctrl+click), only the width changed.
    ClickItem(list, "* Button 15");
    ClickItem(list, "* Button 20", MK_CONTROL);
    EXPECT_TRUE(config.Selected[15] && config.Selected[20] && !config.Selected[12]);
    EXPECT_EQ(config.Control(C::cbEnabled).TextColor, 0x000080) << "maroon for several";
    ::SetWindowTextA(Field(C::ssWidth), "99");
    Click(Item(ConfigDialogWindow::kApply));
    EXPECT_EQ(B(15).Width, 99);
    EXPECT_EQ(B(20).Width, 99);
    EXPECT_EQ(B(20).Caption, "Button 20");
    EXPECT_EQ(B(12).Width, 23);
    ::SetWindowTextA(Field(C::eeCaption), "Two");
    ::SetWindowTextA(Field(C::ssHeight), "30");
    Screenshot(view.Hwnd(), "button-setup");

    // Close with an edit pending: Cancel keeps the dialog, No closes it without saving.
    ::SetWindowTextA(Field(C::eeHint), "unsaved");
    AnswerNextQuestion(IDCANCEL);
    Click(Item(ConfigDialogWindow::kClose));
    EXPECT_EQ(g_question, "Buttons Have Changed; Save New Parameters?");
    EXPECT_TRUE(::IsWindowVisible(view.Hwnd()));
    AnswerNextQuestion(IDNO);
    ::PostMessageA(Field(C::eeHint), WM_KEYDOWN, VK_ESCAPE, 0);  // Escape asks like Close
  }
}

TEST_F(ConfigDialogWinTest, ImageChooserFillsImageAndSampleShowsTheChosenIcon) {
  using C = ConfigControl;
  TempFolder folder;
  CopyFixture("ThreeIcons.exe", folder / "ThreeIcons.exe");
  imageView.ChangeFolder(folder.Path());
  WhileOpen([&] {
    ::SetWindowTextA(Field(C::ssWidth), "40");
    ::SetWindowTextA(Field(C::ssHeight), "40");
    ::SetWindowTextA(Field(C::eeCaption), "");
    WhileOpen([&] {  // in the image chooser: the program's third icon
      ClickItem(imageView.Item(ImageDialogWindow::kFiles), "ThreeIcons.exe");
      ::SetWindowTextA(imageView.Item(ImageDialogWindow::kIndex), "2");
      Click(imageView.Item(IDOK));
    });
    Click(Item(ConfigDialogWindow::kImage));
    EXPECT_EQ(Text(Field(C::llImage)), folder / "ThreeIcons.exe");
    EXPECT_EQ(Text(Field(C::ssIndex)), "2");
    EXPECT_EQ(config.Control(C::ssIndex).TextColor, clBlue);
    // The sample (40 x 40, centred in the bar) shows the blue icon in its middle.
    const TExeButton& s = config.Sample();
    EXPECT_EQ(s.Width, 40);
    RECT client{};
    ::GetClientRect(view.Hwnd(), &client);
    const Point bar = view.BottomBarSize();
    const int x = s.Left + s.Width / 2, y = client.bottom - bar.Y + s.Top + s.Height / 2;
    Screenshot(view.Hwnd(), "button-setup-sample");
    EXPECT_TRUE(Near(PixelOf(view.Hwnd(), x, y), RGB(0, 0, 255))) << std::hex << PixelOf(view.Hwnd(), x, y);
    // The file goes away: the sample shows the fallback picture, and nothing complains.
    ::DeleteFileA((folder / "ThreeIcons.exe").c_str());
    ::SetWindowTextA(Field(C::ssIndex), "1");
    ASSERT_NE(s.Glyph, nullptr);
    EXPECT_EQ(s.Glyph->Width(), 32);
    EXPECT_EQ(StandardDialog(nullptr), nullptr);
    AnswerNextQuestion(IDYES);
    Click(Item(ConfigDialogWindow::kClose));
  });
  EXPECT_TRUE(config.Execute(12));
  EXPECT_EQ(B(12).GlyphName(), folder / "ThreeIcons.exe");
  EXPECT_EQ(B(12).IconIndex(), 1);
  EXPECT_EQ(B(12).Width, 40);
}


// Tab walks the controls top to bottom (left before right on a row) and comes back round;
// a label's mnemonic (Alt+W for "Width") reaches its field.
TEST_F(ConfigDialogWinTest, TabGoesTopToBottomAndMnemonicsReachTheirFields) {
  std::vector<HWND> order;
  std::function<void()> step = [&] {
    HWND focus = ::GetFocus();
    if (!order.empty() && focus == order.front()) {
      ::PostMessageA(focus, WM_SYSCHAR, 'w', (1 << 29) | 1);  // Alt+W
      WhileOpen([&] {
        EXPECT_EQ(::GetFocus(), Field(ConfigControl::ssWidth)) << "focus on " << ::GetDlgCtrlID(::GetFocus());
        Click(Item(ConfigDialogWindow::kClose));
      });
      return;
    }
    order.push_back(focus);
    if (order.size() > 40) {  // not come round: give up
      Click(Item(ConfigDialogWindow::kClose));
      return;
    }
    ::PostMessageA(focus, WM_KEYDOWN, VK_TAB, 0);
    WhileOpen(step);
  };
  WhileOpen(step);
  EXPECT_TRUE(config.Execute(12));
  ASSERT_GE(order.size(), 20u);
  EXPECT_EQ(order.front(), Item(ConfigDialogWindow::kList));
  EXPECT_EQ(order.back(), Item(ConfigDialogWindow::kApply));
  RECT prev{};
  ::GetWindowRect(order.front(), &prev);
  for (size_t i = 1; i < order.size(); ++i) {
    RECT r{};
    ::GetWindowRect(order[i], &r);
    EXPECT_TRUE(r.top > prev.top || (r.top == prev.top && r.left > prev.left) || i == 1)
        << "control " << ::GetDlgCtrlID(order[i]) << " comes after " << ::GetDlgCtrlID(order[i - 1]);
    prev = r;
  }
}

}  // namespace
}  // namespace korvi
