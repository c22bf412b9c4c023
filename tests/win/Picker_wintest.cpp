// The window picker on real windows with real mouse clicks, the position read-out and
// the window-list form.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "main/DDTransparent_win.h"
#include "main/DDWinList_win.h"
#include "main/FFPos_win.h"
#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

// The "user": once the picker shows, puts the mouse on the point, waits until the
// pointer is really there, and clicks.
struct ScriptedUser {
  static inline HWND picker = nullptr;
  static inline TTransparentDialog* form = nullptr;
  static inline POINT target{};
  static inline int ticks = 0, ticksWhilePicking = 0, step = 0;
  static inline bool clicked = false, gaveUp = false;

  static void MoveTo(POINT p) {
    ::SetCursorPos(p.x, p.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Exact on screens whose sizes divide 65536 into whole steps or more.
    in.mi.dx = (p.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (p.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
  }

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
    if (form->Selecting()) ++ticksWhilePicking;
    if (clicked) return;
    if (ticks > 200) {  // the click never arrived: end the pick, report it
      gaveUp = clicked = true;
      form->FormClick();
      return;
    }
    if (!::IsWindowVisible(picker) || ticksWhilePicking < 2) return;
    POINT now{};
    ::GetCursorPos(&now);
    if (step == 0 || now.x != target.x || now.y != target.y) {
      MoveTo(target);
      step = 1;
      return;
    }
    clicked = true;
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
  }
};

class RealPicker : public ::testing::Test {
 protected:
  Win32Platform platform;
  TWinListDialog winList{platform.Windows};
  TTransparentDialog form{winList, platform.Windows};
  PickerWindow view{form};
  test::TestWindows windows;

  void SetUp() override { ASSERT_TRUE(view.Create(::GetModuleHandleA(nullptr))); }

  // Picks with a real click at screen point (x, y); the handle picked, or null.
  HWND PickAt(int x, int y) {
    ScriptedUser::picker = view.Hwnd();
    ScriptedUser::form = &form;
    ScriptedUser::target = {x, y};
    ScriptedUser::ticks = ScriptedUser::ticksWhilePicking = ScriptedUser::step = 0;
    ScriptedUser::clicked = ScriptedUser::gaveUp = false;
    test::Pump(50);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 25, &ScriptedUser::OnTimer);
    const int32_t entry = form.SelectWindow();
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(ScriptedUser::gaveUp) << "the click did not reach the picker";
    EXPECT_EQ(form.PickX, x) << "the click reached the picker elsewhere";
    EXPECT_EQ(form.PickY, y);
    EXPECT_FALSE(::IsWindowVisible(view.Hwnd())) << "hidden again after the pick";
    return entry > 0 ? ToHwnd(winList.Entry(entry).Handle) : nullptr;
  }
};

TEST_F(RealPicker, CreatedWithExactlyTheTransparentStyleFiveInFromTheEdges) {
  EXPECT_EQ(::GetWindowLongA(view.Hwnd(), GWL_EXSTYLE), WS_EX_TRANSPARENT);
  RECT r{};
  ::GetWindowRect(view.Hwnd(), &r);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.right - r.left, ::GetSystemMetrics(SM_CXSCREEN) - 10);
  EXPECT_EQ(r.bottom - r.top, ::GetSystemMetrics(SM_CYSCREEN) - 10);
  EXPECT_FALSE(::IsWindowVisible(view.Hwnd()));
  char title[32] = {};
  ::GetWindowTextA(view.Hwnd(), title, sizeof title);
  EXPECT_STREQ(title, "Transparent");
}

TEST_F(RealPicker, OverlappingWindowsGiveTheHigherInZOrder) {
  HWND lower = windows.Open(100, 100, 300, 200, true, "lower");
  HWND upper = windows.Open(250, 150, 300, 200, true, "upper");  // opened later: on top
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(lower) && ::IsWindowVisible(upper); }));
  EXPECT_EQ(PickAt(300, 200), upper);
  EXPECT_EQ(PickAt(150, 120), lower) << "only the lower window lies there";
  EXPECT_GT(ScriptedUser::ticksWhilePicking, 1) << "timers run inside the picker's loop";
  EXPECT_EQ(::GetWindowLongA(view.Hwnd(), GWL_EXSTYLE) & ~WS_EX_TOPMOST, WS_EX_TRANSPARENT);
}

// A press and a release that no move came before: the point is the click's own.
struct PostedClick {
  static inline HWND picker = nullptr;
  static inline POINT client{};
  static inline bool sent = false;
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (sent || !::IsWindowVisible(picker)) return;
    sent = true;
    const LPARAM at = MAKELPARAM(client.x, client.y);
    ::PostMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(picker, WM_LBUTTONUP, 0, at);
  }
};

TEST_F(RealPicker, AClickWithNoMoveBeforeItPicksWhereItWas) {
  HWND w = windows.Open(100, 100, 300, 200, true, "still");
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(w) != FALSE; }));
  RECT r{};
  ::GetWindowRect(view.Hwnd(), &r);  // hidden, but placed
  PostedClick::picker = view.Hwnd();
  PostedClick::client = {200 - r.left, 150 - r.top};
  PostedClick::sent = false;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 25, &PostedClick::OnTimer);
  const int32_t entry = form.SelectWindow();
  ::KillTimer(nullptr, timer);
  ASSERT_TRUE(PostedClick::sent);
  EXPECT_EQ(form.PickX, 200);
  EXPECT_EQ(form.PickY, 150);
  EXPECT_EQ(entry > 0 ? ToHwnd(winList.Entry(entry).Handle) : nullptr, w);
}

TEST_F(RealPicker, RightAndBottomEdgeCoordinatesStillHit) {
  HWND w = windows.Open(100, 100, 300, 200, true, "edge");  // rectangle 100,100 - 400,300
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(w) != FALSE; }));
  EXPECT_EQ(PickAt(400, 300), w);
  EXPECT_EQ(PickAt(400, 150), w);
  EXPECT_EQ(PickAt(401, 150), nullptr);
}

TEST_F(RealPicker, BareDesktopGivesNothing) {
  HWND other = windows.Open(100, 100, 200, 100, true, "somewhere else");
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(other) != FALSE; }));
  EXPECT_EQ(PickAt(800, 650), nullptr);
}

TEST(RealPosForm, ShowsTheTextsCentredInItsLook) {
  TPosForm form;
  PosWindow view{form};
  ASSERT_TRUE(view.Create(::GetModuleHandleA(nullptr)));
  form.Display(4, 30, 75, 25);
  char a[64] = {}, b[64] = {};
  ::GetWindowTextA(view.Static1(), a, sizeof a);
  ::GetWindowTextA(view.Static2(), b, sizeof b);
  EXPECT_STREQ(a, "pos:  (4 , 30)");
  EXPECT_STREQ(b, "size: (75 , 25)");
  RECT c{}, w{};
  ::GetClientRect(view.Hwnd(), &c);
  ::GetWindowRect(view.Hwnd(), &w);
  EXPECT_EQ(c.right, 298);
  EXPECT_EQ(c.bottom, 82);
  EXPECT_EQ(w.left, (::GetSystemMetrics(SM_CXSCREEN) - 298) / 2);
  EXPECT_EQ(w.top, (::GetSystemMetrics(SM_CYSCREEN) - 82) / 2);
  RECT s{};
  ::GetWindowRect(view.Static2(), &s);
  EXPECT_EQ(s.right - s.left, 281);
  EXPECT_GE(s.top - w.top, 41) << "the second text sits in the lower panel";
  view.Show();
  EXPECT_TRUE(::IsWindowVisible(view.Hwnd()));
  view.Hide();
}

TEST(RealWinList, ListsTheTableAndCloseHides) {
  Win32Platform platform;
  TWinListDialog table{platform.Windows};
  WinListWindow view{table};
  ASSERT_TRUE(view.Create(::GetModuleHandleA(nullptr)));
  test::TestWindows windows;
  HWND mine = windows.Open(50, 60, 200, 100, true, "listed window");
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(mine) != FALSE; }));
  table.Load();
  view.DisplayWindowList();
  ASSERT_EQ(view.ItemCount(), 128);
  char expected[160];
  std::snprintf(expected, sizeof expected, "%08X   listed window", static_cast<unsigned>(FromHwnd(mine)));
  bool found = false;
  for (int i = 1; i <= kWinListSize; ++i) {
    if (table.Entry(i).Handle == FromHwnd(mine)) {
      EXPECT_EQ(view.ItemText(i - 1), expected);
      found = true;
    }
    if (table.Entry(i).Handle == 0) {
      EXPECT_EQ(view.ItemText(i - 1), "") << "line " << i;
    }
  }
  EXPECT_TRUE(found);
  EXPECT_NE(view.ItemText(0).find("   (root window)"), std::string::npos);
  view.DisplayWindowList();
  EXPECT_EQ(view.ItemCount(), 128) << "filled again, not appended";

  char item[32] = {};
  ::GetMenuStringA(view.PopupMenu(), WinListWindow::kCloseCommand, item, sizeof item, MF_BYCOMMAND);
  EXPECT_STREQ(item, "Close Window");
  view.Show();
  ASSERT_TRUE(::IsWindowVisible(view.Hwnd()));
  ::SendMessageA(view.Hwnd(), WM_COMMAND, WinListWindow::kCloseCommand, 0);
  EXPECT_FALSE(::IsWindowVisible(view.Hwnd()));
  EXPECT_TRUE(::IsWindow(view.Hwnd())) << "hidden, not destroyed";
  RECT c{};
  ::GetClientRect(view.Hwnd(), &c);
  EXPECT_EQ(c.right, 340);
  EXPECT_EQ(c.bottom, 391);
}

}  // namespace
}  // namespace korvi
