// An edge drag of the real pager window that loses the mouse capture half way.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "main/main.h"
#include "main/PagerWindow_win.h"
#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

std::vector<COLORREF> ScreenRow(int y) {
  std::vector<COLORREF> row;
  HDC screen = ::GetDC(nullptr);
  for (int x = 0; x < 600; x += 3) row.push_back(::GetPixel(screen, x, y));
  ::ReleaseDC(nullptr, screen);
  return row;
}

class RealPagerDrag : public ::testing::Test {
 protected:
  Win32Platform platform;
  SharedState data;
  TWinListDialog winList{platform.Windows};
  TForm1 form{data, platform.Ref, winList};
  PagerWindow pager{form};
  test::TestWindows windows;

  void SetUp() override {
    ASSERT_TRUE(pager.Create(::GetModuleHandleA(nullptr)));
    form.AttachHost(&pager, &pager, &pager.Outline());
    const std::string dir = test::TempDir() + "\\drag" + std::to_string(++counter_);
    ::CreateDirectoryA(dir.c_str(), nullptr);
    form.FormCreate(dir + "\\");  // no settings file: a 100-pixel panel at the bottom, auto-hide on
    pager.Show();
    ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(pager.Handle()) != FALSE; }));
  }
  void TearDown() override {
    ::DestroyWindow(pager.Handle());
    MSG m;
    ::PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the pager ends the program when it goes
  }
  static inline int counter_ = 0;
};

TEST_F(RealPagerDrag, LosingTheCaptureEndsTheDragAndErasesTheOutline) {
  struct Cause {
    const char* name;
    std::function<void(HWND pager, HWND other)> take;
  };
  const Cause causes[] = {
      {"another window takes the capture", [](HWND, HWND other) { ::SetCapture(other); }},
      {"WM_CANCELMODE", [](HWND pager, HWND) { ::SendMessageA(pager, WM_CANCELMODE, 0, 0); }},
  };
  HWND other = windows.Open(600, 100, 200, 100);
  for (const Cause& c : causes) {
    SCOPED_TRACE(c.name);
    form.Edge().SetIsBig(true);
    HWND h = pager.Handle();
    RECT r{};
    ::GetWindowRect(h, &r);
    ASSERT_EQ(r.bottom - r.top, 100);
    const int outlineY = r.top - 43;  // where the outline's top side is drawn
    test::Pump(50);
    const std::vector<COLORREF> before = ScreenRow(outlineY);

    // A press 3 pixels below the inner (top) side, and a move 43 pixels up.
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 3));
    ::SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, -40));
    ASSERT_TRUE(form.Edge().Dragging());
    ASSERT_EQ(::GetCapture(), h);
    EXPECT_NE(ScreenRow(outlineY), before) << "the outline is on the screen";

    c.take(h, other);
    EXPECT_FALSE(form.Edge().Dragging());
    EXPECT_NE(::GetCapture(), h);
    EXPECT_EQ(ScreenRow(outlineY), before) << "the outline is erased";
    ::ReleaseCapture();
    ::SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(500, -40));
    ::GetWindowRect(h, &r);
    EXPECT_EQ(r.bottom - r.top, 100) << "the cancelled drag did not resize the panel";

    ::SetCursorPos(700, 50);  // away from the panel: the auto-hide timer may collapse it
    form.Edge().TimerTick();
    form.Edge().TimerTick();
    EXPECT_FALSE(form.Edge().IsBig()) << "auto-hide is running again";
  }
}

}  // namespace
}  // namespace korvi
