// The help viewer and the about box as real windows: the Help command's paths,
// links, Back, Forward and Reload through the real buttons, and the about box's frame.
#include <gtest/gtest.h>

#include <string>

#include <exdispid.h>
#include <mshtmdid.h>

#include "help/FFAbout.h"
#include "help/FFAbout_win.h"
#include "help/FFHelp.h"
#include "help/FFHelp_win.h"
#include "help/ReaderView_win.h"
#include "help/WebBrowserHost_win.h"
#include "panel/data.h"
#include "platform/Win32Platform_win.h"
#include "util/Text.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

std::string TextOf(HWND h) {
  char buf[1024] = {};
  ::GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

// A client point on the first piece of the page that links to `href`.
bool LinkPoint(const ReaderView& reader, const std::string& href, POINT& at) {
  for (const auto& p : reader.Page().Pieces) {
    if (p.Href != href) continue;
    at = {p.X + 2, p.Y + reader.BannerHeight() - reader.ScrollTop() + p.Height / 2};
    return true;
  }
  return false;
}

TEST(HelpWindow, HelpCommandLinksBackForwardAndReload) {
  const std::string dir = test::TempDir() + "\\help\\";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  std::string filler;
  for (int i = 0; i < 80; ++i) filler += "<p>Filler paragraph " + std::to_string(i) + "</p>";
  ASSERT_TRUE(test::WriteFileBytes(dir + "korvi8.html", "<h1>Manual</h1><p><a href=\"second.html#part\">Second</a></p>"));
  ASSERT_TRUE(test::WriteFileBytes(dir + "second.html", "<h1>Second</h1>" + filler + "<h2 id=part>Part</h2>"));

  Win32FileSystem files;
  THelpForm help(files);
  HelpWindow view(help, files);
  ASSERT_TRUE(view.Create(::GetModuleHandleA(nullptr)));
  EXPECT_EQ(TextOf(view.Hwnd()), "HelpForm");
  EXPECT_FALSE(::IsWindowVisible(view.Hwnd()));
  RECT frame;
  ::GetWindowRect(view.Hwnd(), &frame);
  EXPECT_EQ(frame.right - frame.left, 800);
  EXPECT_EQ(frame.bottom - frame.top, 600);
  EXPECT_EQ(view.Reader(), nullptr) << "no page engine before the help is first used";

  SharedState data;
  data.SetProgramDir(dir);
  help.ShowHelp(data);
  EXPECT_EQ(view.UsesReader(), !WebBrowserHost::EngineAvailable())
      << "the reader stands in exactly when there is no HTML engine";
  EXPECT_TRUE(::IsWindowVisible(view.Hwnd()));
  EXPECT_EQ(TextOf(view.Hwnd()), data.HelpPath);
  EXPECT_EQ(TextOf(view.Status()), "");
  if (!view.UsesReader()) GTEST_SKIP() << "the WebBrowser control renders here; the reader steps do not apply";

  ReaderView& reader = *view.Reader();
  EXPECT_EQ(TextOf(reader.Hwnd()), data.HelpPath);
  POINT at{};
  ASSERT_TRUE(LinkPoint(reader, "second.html#part", at)) << "the link is laid out on the page";
  ::PostMessageA(reader.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  ::PostMessageA(reader.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  const std::string second = LowerCase(dir) + "second.html#part";  // seen from the lower-cased help path
  ASSERT_TRUE(test::PumpUntil([&] { return TextOf(reader.Hwnd()) == second; }))
      << TextOf(reader.Hwnd());
  EXPECT_GT(reader.ScrollTop(), 0) << "the page scrolls to the anchor";
  EXPECT_EQ(TextOf(view.Hwnd()), data.HelpPath) << "following a link keeps the title";
  EXPECT_TRUE(help.CanGoBack);

  ::SendMessageA(view.BackButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(reader.Hwnd()), data.HelpPath);
  EXPECT_FALSE(help.CanGoBack);
  EXPECT_TRUE(help.CanGoForward);
  ::SendMessageA(view.BackButton(), BM_CLICK, 0, 0);  // nothing further back
  EXPECT_EQ(TextOf(reader.Hwnd()), data.HelpPath);
  ::SendMessageA(view.ForwardButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(reader.Hwnd()), second);
  ::SendMessageA(view.ReloadButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(reader.Hwnd()), data.HelpPath) << "Reload returns to the file last loaded";

  // File > Exit hides the window; the next Help only shows it, on the same page.
  ::SendMessageA(view.Hwnd(), WM_COMMAND, HelpWindow::kExitCommand, 0);
  EXPECT_FALSE(::IsWindowVisible(view.Hwnd()));
  help.ShowHelp(data);
  EXPECT_TRUE(::IsWindowVisible(view.Hwnd()));
  EXPECT_EQ(TextOf(reader.Hwnd()), data.HelpPath);

  help.LoadFromFile(dir + "missing.html");
  EXPECT_EQ(TextOf(view.Status()), "File Not Found: " + dir + "missing.html");
  EXPECT_EQ(TextOf(view.Hwnd()), dir + "missing.html");
  EXPECT_EQ(TextOf(reader.Hwnd()), data.HelpPath) << "the page on show stays";
}

TEST(AboutWindow, FrameLabelsAndOk) {
  TAboutBox about;
  AboutWindow view(about);
  ASSERT_TRUE(view.Create(::GetModuleHandleA(nullptr)));
  EXPECT_EQ(TextOf(view.Hwnd()), "About");
  EXPECT_FALSE(::IsWindowVisible(view.Hwnd()));
  RECT client;
  ::GetClientRect(view.Hwnd(), &client);
  EXPECT_EQ(client.right, 298);
  EXPECT_EQ(client.bottom, 213);
  EXPECT_TRUE(about.TimerRunning());
  EXPECT_NE(::FindWindowExA(view.Hwnd(), nullptr, "STATIC", "Korvi - Desktop Pager for Windows"), nullptr);
  EXPECT_NE(::FindWindowExA(view.Hwnd(), nullptr, "STATIC", "Version 8"), nullptr);
  HWND ok = ::FindWindowExA(view.Hwnd(), nullptr, "BUTTON", "OK");
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(::GetWindowLongA(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);

  about.ShowAbout();
  EXPECT_TRUE(::IsWindowVisible(view.Hwnd()));
  ::SendMessageA(ok, BM_CLICK, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(view.Hwnd()));

  // The keys of a dialog, through the program's own message loop.
  for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_SPACE}) {
    about.ShowAbout();
    ASSERT_TRUE(::IsWindowVisible(view.Hwnd()));
    ::PostMessageA(ok, WM_KEYDOWN, key, 1);
    ::PostMessageA(ok, WM_KEYUP, key, 0xC0000001);
    const bool closed = test::PumpUntil([&] {
      MSG m;
      while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        if (!view.TakeDialogKey(m)) {
          ::TranslateMessage(&m);
          ::DispatchMessageA(&m);
        }
      return !::IsWindowVisible(view.Hwnd());
    }, 2000);
    EXPECT_TRUE(closed) << "key " << key << " leaves the about box open";
  }
}

TEST(WebBrowserSite, RefusesActiveXAndDownloadsButShowsItsOwnDocument) {
  VARIANT result;
  ASSERT_TRUE(WebBrowserHost::AnswerSite(DISPID_AMBIENT_DLCONTROL, nullptr, &result));
  ASSERT_EQ(result.vt, VT_I4);
  for (LONG refused : {DLCTL_NO_RUNACTIVEXCTLS, DLCTL_NO_DLACTIVEXCTLS, DLCTL_NO_JAVA})
    EXPECT_EQ(result.lVal & refused, refused) << std::hex << refused;
  EXPECT_EQ(result.lVal & DLCTL_DLIMAGES, DLCTL_DLIMAGES) << "pictures still show";

  struct Case {
    UINT args;
    VARIANT_BOOL activeDocument;
    VARIANT_BOOL cancelled;
  };
  for (const Case c : {Case{2, VARIANT_FALSE, VARIANT_TRUE}, Case{2, VARIANT_TRUE, VARIANT_FALSE},
                       Case{1, VARIANT_TRUE, VARIANT_TRUE}}) {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[2];
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel;
    args[1].vt = VT_BOOL;
    args[1].boolVal = c.activeDocument;
    DISPPARAMS params{args, nullptr, c.args, 0};
    EXPECT_TRUE(WebBrowserHost::AnswerSite(DISPID_FILEDOWNLOAD, &params, nullptr));
    EXPECT_EQ(cancel, c.cancelled) << c.args << " arguments, active document " << c.activeDocument;
  }
  EXPECT_FALSE(WebBrowserHost::AnswerSite(DISPID_DOCUMENTCOMPLETE, nullptr, nullptr)) << "events go on to the host";
}

}  // namespace
}  // namespace korvi
