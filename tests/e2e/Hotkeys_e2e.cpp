// The real Korvi8.exe driven through its hotkeys with real key presses (SendInput):
// keys another program holds, switching, sending, gathering, windows on all desktops,
// and the hotkey dialog.
// The manual's picture of the dialog (dist/korvi8-hotkeys.png) is a crop of this test's
// screenshot on the 1024 x 768 desktop:
//   convert hotkey-dialog.bmp -crop 774x437+125+165 +repage korvi8-hotkeys.png
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

#include "e2e/MenuDriver.h"
#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

// Presses `vk` with the modifiers held, as a user's keyboard would.
void Chord(std::initializer_list<WORD> modifiers, WORD vk) {
  std::vector<INPUT> in;
  const auto add = [&in](WORD k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    if (up) i.ki.dwFlags |= KEYEVENTF_KEYUP;
    if (k == VK_LEFT || k == VK_RIGHT) i.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    in.push_back(i);
  };
  for (WORD m : modifiers) add(m, false);
  add(vk, false);
  add(vk, true);
  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) add(*m, true);
  ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}
const std::initializer_list<WORD> kCtrlAlt{VK_CONTROL, VK_MENU}, kCtrlAltShift{VK_CONTROL, VK_MENU, VK_SHIFT};

// Keys this test program holds, as another program would, until it ends.
struct HeldKeys {
  HeldKeys() {
    held = ::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F9) && ::RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT, VK_F10);
  }
  ~HeldKeys() {
    ::UnregisterHotKey(nullptr, 1);
    ::UnregisterHotKey(nullptr, 2);
  }
  bool held = false;
};

// A window of a class of its own, for [STICKY].
HWND OpenStickyClassWindow(int x, int y) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "KorviStickyProbe";
  ::RegisterClassA(&wc);
  HWND h = ::CreateWindowExA(0, wc.lpszClassName, "sticky by class", WS_POPUP | WS_BORDER, x, y, 150, 100, nullptr,
                             nullptr, wc.hInstance, nullptr);
  ::ShowWindow(h, SW_SHOWNOACTIVATE);
  return h;
}

void Activate(HWND h) {
  test::PumpUntil([&] {
    ::SetForegroundWindow(h);
    return ::GetForegroundWindow() == h;
  });
}

TEST(HotkeysEndToEnd, KeysSwitchSendGatherAndPinAndTheDialogChangesAKeyAtOnce) {
  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  HeldKeys others;
  ASSERT_TRUE(others.held) << "the test could not hold Ctrl+Alt+F9 and F10";
  PagerSession pager("[DESKTOP]\r\nCOUNT=3\r\n[FORM]\r\nHIDE=0\r\n[STICKY]\r\nCLASS1=korvistickyprobe\r\n");
  ASSERT_TRUE(pager.Start()) << "the pager window did not show";

  // One message names both keys another program holds.
  HWND box = WaitWindow("#32770", "Korvi8", 8000);
  ASSERT_TRUE(box) << "no message about the keys held elsewhere";
  const std::string text = DialogText(box);
  EXPECT_NE(text.find("Ctrl+Alt+F9  (Desktop 9)"), std::string::npos) << text;
  EXPECT_NE(text.find("Ctrl+Alt+F10  (Desktop 10)"), std::string::npos) << text;
  Press(box, IDOK);
  ASSERT_TRUE(test::PumpUntil([&] { return !::IsWindowVisible(box); }));
  WaitForStartupAbout();
  EXPECT_FALSE(WaitWindow("#32770", "Korvi8", 500)) << "a second message";

  test::TestWindows windows;
  HWND one = windows.Open(100, 100, 300, 200, true, "desktop one");
  HWND two = windows.Open(100 + W, 150, 300, 200, true, "desktop two");
  HWND pinned = windows.Open(450, 300, 150, 100, true, "pinned");
  HWND byClass = OpenStickyClassWindow(650, 300);
  ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(one) && ::IsWindowVisible(byClass); }));
  const auto at = [&](int a, int b) {
    return test::PumpUntil([&] { return test::LeftOf(one) == a && test::LeftOf(two) == b; });
  };
  const auto where = [&] { return " at " + std::to_string(test::LeftOf(one)) + ", " + std::to_string(test::LeftOf(two)); };

  Activate(pinned);
  Chord(kCtrlAlt, 'P');
  Chord(kCtrlAlt, VK_F2);
  EXPECT_TRUE(at(100 - W, 100)) << "Ctrl+Alt+F2 shows desktop 2:" << where();
  Activate(two);
  Chord(kCtrlAltShift, VK_F3);
  EXPECT_TRUE(at(100 - W, 100 + W)) << "Ctrl+Alt+Shift+F3 sends the active window to desktop 3:" << where();
  Chord(kCtrlAlt, VK_RIGHT);
  EXPECT_TRUE(at(100 - 2 * W, 100)) << "Ctrl+Alt+Right shows desktop 3:" << where();
  Activate(two);
  Chord(kCtrlAltShift, VK_LEFT);
  EXPECT_TRUE(at(100 - W, 100)) << "Ctrl+Alt+Shift+Left takes the active window along to desktop 2:" << where();
  Chord(kCtrlAlt, 'G');
  EXPECT_TRUE(at(100, 100)) << "Ctrl+Alt+G gathers every window onto desktop 2:" << where();
  EXPECT_EQ(test::LeftOf(pinned), 450) << "the pinned window stays through every switch";
  EXPECT_EQ(test::LeftOf(byClass), 650) << "the sticky class window stays through every switch";

  // "Set Hotkeys...": Desktop 1 gets Ctrl+Alt+F11; OK saves it and it works at once.
  HWND dialog = ChooseUntilShown(pager, 700, 60, menu::SetHotkeys, "Korvi8HotkeyDialog");
  ASSERT_TRUE(dialog) << "the hotkey dialog did not open";
  wchar_t title[64] = {};
  ::GetWindowTextW(dialog, title, 64);
  EXPECT_STREQ(title, L"Set Hotkeys") << "the dialog's caption, as the system keeps it";
  Settle(dialog);
  ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Settle(dialog);
  SaveScreenshot("hotkey-dialog");
  ::SendMessageA(::GetDlgItem(dialog, 1000), HKM_SETHOTKEY, MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
  Press(dialog, IDOK);
  ASSERT_TRUE(test::PumpUntil([&] { return !::IsWindowVisible(dialog); }));
  EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "HOTKEYS", "DESKTOP1") == "Ctrl+Alt+F11"; }));
  Chord(kCtrlAlt, VK_F11);
  EXPECT_TRUE(at(100 + W, 100 + W)) << "Ctrl+Alt+F11 shows desktop 1:" << where();
  EXPECT_EQ(test::LeftOf(pinned), 450);
  EXPECT_EQ(test::LeftOf(byClass), 650);
  const std::string ini = pager.ReadIni();
  EXPECT_NE(ini.find("[HOTKEYS]\r\nDESKTOP1=Ctrl+Alt+F11\r\n"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("DESKTOP2="), std::string::npos) << "only the changed key is written";
  ::DestroyWindow(byClass);
  pager.Close();
  EXPECT_FALSE(pager.Running());
}

}  // namespace
}  // namespace korvi::e2e
