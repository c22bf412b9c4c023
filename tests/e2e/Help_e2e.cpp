// The about box that greets a start, and the help viewer opened from the panel with
// F1 (the "Help" command): the manual, its links, Back, Forward, Reload, Open, and a
// missing manual.
// The pictures of the manual (dist/korvi8-*.png) are crops of this test's screenshots:
//   convert panel.bmp -crop 400x110+0+658 +repage korvi8-panel.png
//   convert help-manual.bmp -crop 800x600+112+84 +repage korvi8-help.png
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "e2e/MenuDriver.h"
#include "e2e/PagerSession.h"
#include "util/Text.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

// Clicks the middle of a window, once it has taken what the last step sent it.
void ClickCentre(HWND h) {
  Settle(h);
  RECT r;
  ::GetWindowRect(h, &r);
  PagerSession::ClickScreen((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Presses a toolbar button. Wine on a busy machine now and then drops an injected
// click, so the button is pressed through its own BM_CLICK: the same press, release
// and notification path, without the input queue.
void Press(HWND help, const char* caption) {
  Settle(help);
  ::SendMessageA(::FindWindowExA(help, nullptr, "BUTTON", caption), BM_CLICK, 0, 0);
}

// F1 on the panel, as a user does: a click on the bare panel gives it the keyboard. The
// key goes to the foreground window as the system takes it, so it waits until the click
// has brought the pager to the front; a click that did not is given again.
void PressHelpKey(PagerSession& pager) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    pager.ClickClient(600, 60);
    if (test::PumpUntil([&] { return ::GetForegroundWindow() == pager.Pager(); }, 2000)) break;
  }
  Key(VK_F1);
}

// Screen point of the first link-blue pixel in the page of the reader, below its
// banner (which holds a link of its own).
bool FirstLinkPixel(HWND reader, POINT& at) {
  RECT r;
  ::GetWindowRect(reader, &r);
  const int w = r.right - r.left, h = r.bottom - r.top, skip = 40;
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, dib);
  ::BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  bool found = false;
  const auto* px = static_cast<const uint32_t*>(bits);
  for (int y = skip; y < h - 4 && !found; ++y) {
    for (int x = 0; x < w - 20 && !found; ++x) {
      const uint32_t c = px[y * w + x];  // 0x00RRGGBB
      const int red = (c >> 16) & 0xFF, green = (c >> 8) & 0xFF, blue = c & 0xFF;
      if (blue > 0x90 && red < 0x40 && green < 0x70) {
        at = {r.left + x + 1, r.top + y + 1};
        found = true;
      }
    }
  }
  ::SelectObject(mem, old);
  ::DeleteObject(dib);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return found;
}

TEST(HelpEndToEnd, AboutBoxGreetsThenHelpShowsTheManualAndBrowsesIt) {
  PagerSession pager("[FORM]\r\nHIDE=0\r\n");
  const DWORD start = ::GetTickCount();
  ASSERT_TRUE(pager.Start());
  SaveScreenshot("panel");

  // The about box comes on its own about two seconds after start-up and goes four
  // seconds later.
  ASSERT_TRUE(test::PumpUntil([] { return Visible("Korvi8About"); }, 8000)) << "no about box";
  const DWORD shown = ::GetTickCount();
  EXPECT_EQ(TextOf(::FindWindowA("Korvi8About", nullptr)), "About");
  EXPECT_NE(::GetForegroundWindow(), ::FindWindowA("Korvi8About", nullptr)) << "the greeting takes no focus";
  test::Pump(300);
  SaveScreenshot("about-box");
  ASSERT_TRUE(test::PumpUntil([] { return !Visible("Korvi8About"); }, 10000)) << "the about box stays";
  const DWORD hidden = ::GetTickCount();
  std::printf("about box: shown %lu ms after the start, hidden %lu ms after the start\n",
              static_cast<unsigned long>(shown - start), static_cast<unsigned long>(hidden - start));
  EXPECT_GE(hidden - shown, 3000u) << "it stays from the second tick to the sixth";

  // F1 on the panel: the first "Help" loads the manual, titled with its lower-case path.
  PressHelpKey(pager);
  ASSERT_TRUE(test::PumpUntil([] { return Visible("Korvi8Help"); }, 8000))
      << "no help window; " << InputState(pager.Pager(), {0, 0});
  HWND help = ::FindWindowA("Korvi8Help", nullptr);
  const std::string manual = LowerCase(pager.Folder() + "\\korvi8.html");
  EXPECT_EQ(TextOf(help), manual);
  HWND status = ::FindWindowExA(help, nullptr, "STATIC", nullptr);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(TextOf(status), "") << "the manual was found";
  HWND reader = ::FindWindowExA(help, nullptr, "Korvi8Reader", nullptr);
  if (!reader) GTEST_SKIP() << "the WebBrowser control shows the page here";
  ASSERT_TRUE(test::PumpUntil([&] { return TextOf(reader) == manual; })) << TextOf(reader);
  test::Pump(500);
  SaveScreenshot("help-manual");

  // Follow the first link of the page, then Back, Forward and Reload.
  test::Pump(250);
  POINT link{};
  ASSERT_TRUE(FirstLinkPixel(reader, link)) << "no link to be seen on the page";
  ASSERT_TRUE(ClickUntil(link, [&] { return TextOf(reader).rfind(manual + "#", 0) == 0; }))
      << "the link led to " << TextOf(reader);
  const std::string linked = TextOf(reader);
  SaveScreenshot("help-link");
  Press(help, "Back");
  EXPECT_EQ(TextOf(reader), manual);
  Press(help, "Forward");
  EXPECT_EQ(TextOf(reader), linked);
  Press(help, "Reload");
  EXPECT_EQ(TextOf(reader), manual) << "Reload returns to the file last loaded";

  // File > Open (Ctrl+O) on another page: it becomes the title and the Reload target.
  const std::string other = pager.Folder() + "\\Other Page.htm";
  ASSERT_TRUE(test::WriteFileBytes(other, "<h1>Another page</h1><p><a href='korvi8.html#settings'>Settings</a></p>"));
  HWND dialog = nullptr;
  auto dialogOpen = [&] { return (dialog = ::FindWindowA("#32770", "Open")) != nullptr; };
  for (int attempt = 0; attempt < 3 && !dialogOpen(); ++attempt) {
    ClickCentre(reader);  // the keys go to the help window
    KeyWith(VK_CONTROL, 'O');
    test::PumpUntil(dialogOpen, 5000);
  }
  ASSERT_TRUE(test::PumpUntil(dialogOpen, 15000)) << "no file dialog came";
  ChooseFile(dialog, other);
  ASSERT_TRUE(test::PumpUntil([&] { return SameText(TextOf(help), other); }, 8000)) << TextOf(help);
  EXPECT_TRUE(SameText(TextOf(reader), other));
  // The page shows again where the dialog was before its pixels are searched.
  ASSERT_TRUE(test::PumpUntil([&] { return !::IsWindow(dialog); }));
  test::Pump(500);
  ASSERT_TRUE(FirstLinkPixel(reader, link));
  EXPECT_TRUE(ClickUntil(link, [&] { return TextOf(reader).find("korvi8.html#settings") != std::string::npos; }))
      << TextOf(reader);
  Press(help, "Reload");
  EXPECT_TRUE(SameText(TextOf(reader), other)) << "Reload returns to the opened file: " << TextOf(reader);

  // Closing hides the window; a second "Help" only shows it, on the page it had.
  ::PostMessageA(help, WM_CLOSE, 0, 0);
  ASSERT_TRUE(test::PumpUntil([] { return !Visible("Korvi8Help"); }));
  PressHelpKey(pager);
  ASSERT_TRUE(test::PumpUntil([] { return Visible("Korvi8Help"); }, 8000))
      << "no help window; " << InputState(pager.Pager(), {0, 0});
  EXPECT_TRUE(SameText(TextOf(help), other)) << "the second Help did not load the manual again";
  pager.Close();
}

TEST(HelpEndToEnd, MissingManualIsReportedInTheStatusLine) {
  PagerSession pager("[FORM]\r\nHIDE=0\r\n");
  ::DeleteFileA((pager.Folder() + "\\korvi8.html").c_str());
  ASSERT_TRUE(pager.Start());
  PressHelpKey(pager);
  if (!test::PumpUntil([] { return Visible("Korvi8Help"); }, 4000)) PressHelpKey(pager);  // the about box took the key
  ASSERT_TRUE(test::PumpUntil([] { return Visible("Korvi8Help"); }, 8000))
      << "no help window; " << InputState(pager.Pager(), {0, 0});
  HWND help = ::FindWindowA("Korvi8Help", nullptr);
  const std::string manual = LowerCase(pager.Folder() + "\\korvi8.html");
  EXPECT_EQ(TextOf(help), manual);
  EXPECT_EQ(TextOf(::FindWindowExA(help, nullptr, "STATIC", nullptr)), "File Not Found: " + manual);
  test::Pump(300);
  SaveScreenshot("help-missing");
  pager.Close();
}

}  // namespace
}  // namespace korvi::e2e
