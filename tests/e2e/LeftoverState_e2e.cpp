// Every end-to-end test must leave the desktop as it found it, so that the suite passes
// in any order: no window of its own or of a program it started, no wallpaper, no mouse
// capture, no button or modifier key held down, no foreground window that was not there
// before. After each test this listener looks; what it finds fails the test, and is
// then put right so that the next test starts clean.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

BOOL CALLBACK AddVisible(HWND h, LPARAM lp) {
  if (::IsWindowVisible(h)) reinterpret_cast<std::set<HWND>*>(lp)->insert(h);
  return TRUE;
}

std::set<HWND> VisibleTopLevels() {
  std::set<HWND> found;
  ::EnumWindows(AddVisible, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string Describe(HWND h) {
  char cls[64] = {}, title[128] = {};
  ::GetClassNameA(h, cls, sizeof cls);
  ::GetWindowTextA(h, title, sizeof title);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  return std::string(cls) + " \"" + title + "\" of process " + std::to_string(pid);
}

// The desktop's wallpaper now. Asking the system would not do: Wine keeps the first
// answer a process got. A wallpaper set for the session only (as the pager sets it) is
// kept by Wine under its temporary parameters; one saved for good under the user's own.
std::string Wallpaper() {
  for (const char* key : {"Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop", "Control Panel\\Desktop"}) {
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (::RegGetValueA(HKEY_CURRENT_USER, key, "Wallpaper", RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS)
      return value;
  }
  return "";
}

bool Down(int vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }

class LeftoverCheck : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    // Each test starts from a bare desktop, whatever ran before this program (the tiers share
    // one Wine session); a wallpaper at its end is then the test's own.
    if (!Wallpaper().empty()) RemoveWallpaper();
    before_ = VisibleTopLevels();
    foreground_ = ::GetForegroundWindow();
  }

  void OnTestEnd(const ::testing::TestInfo&) override {
    // A program ended by the test may take a moment to take its windows away.
    std::set<HWND> extra;
    test::PumpUntil(
        [&] {
          extra.clear();
          for (HWND h : VisibleTopLevels())
            if (!before_.count(h)) extra.insert(h);
          return extra.empty();
        },
        3000);
    for (HWND h : extra) {
      ADD_FAILURE() << "the test left a window open: " << Describe(h);
      DWORD pid = 0;
      ::GetWindowThreadProcessId(h, &pid);
      if (pid == ::GetCurrentProcessId()) {
        ::DestroyWindow(h);
      } else if (HANDLE p = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        ::TerminateProcess(p, 1);
        ::WaitForSingleObject(p, 5000);
        ::CloseHandle(p);
      }
    }
    if (const std::string wall = Wallpaper(); !wall.empty()) {
      ADD_FAILURE() << "the test left a wallpaper: " << wall;
      RemoveWallpaper();
    }
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (::GetGUIThreadInfo(0, &gui) && gui.hwndCapture) {
      ADD_FAILURE() << "the test left the mouse captured by " << Describe(gui.hwndCapture);
      ::ReleaseCapture();
    }
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    for (bool right : {false, true})
      if (Down(right ? VK_RBUTTON : VK_LBUTTON)) {
        ADD_FAILURE() << "the test left the " << (right ? "right" : "left") << " mouse button down";
        PagerSession::MouseButton(w - 2, h - 2, false, right);
      }
    for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN})
      if (Down(vk)) {
        ADD_FAILURE() << "the test left the key " << vk << " down";
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = static_cast<WORD>(vk);
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(1, &in, sizeof in);
      }
    // The desktop itself in front is where a test that closed its windows leaves it.
    HWND fg = ::GetForegroundWindow();
    if (fg && fg != foreground_ && fg != ::GetDesktopWindow() && !before_.count(fg) && ::IsWindowVisible(fg))
      ADD_FAILURE() << "the test left a new foreground window: " << Describe(fg);
  }

  std::set<HWND> before_;
  HWND foreground_ = nullptr;
};

// Added once the run has begun, after the result printer: the check then runs before the
// printer reports the test, and what it finds is reported with the test.
class LeftoverCheckEnvironment : public ::testing::Environment {
  void SetUp() override { ::testing::UnitTest::GetInstance()->listeners().Append(new LeftoverCheck); }
};

const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new LeftoverCheckEnvironment);

}  // namespace
}  // namespace korvi::e2e
