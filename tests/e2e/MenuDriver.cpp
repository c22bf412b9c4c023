#include "e2e/MenuDriver.h"

#include "win/WinTestUtil.h"

namespace korvi::e2e {

void WaitForStartupAbout() {
  // Closed with its OK at once, as a user would: its timer then has nothing left to hide.
  if (HWND about = WaitWindow("Korvi8About", nullptr, 5000)) {
    ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    test::PumpUntil([&] { return !::IsWindowVisible(about); });
    Settle(about);
  }
}

void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
  Settle(::GetForegroundWindow());
}

void KeyWith(WORD modifier, WORD vk) {
  INPUT in[4] = {};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[3].ki.wVk = modifier;
  in[1].ki.wVk = in[2].ki.wVk = vk;
  in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(4, in, sizeof(INPUT));
  Settle(::GetForegroundWindow());
}

void KeyWithShift(WORD vk) { KeyWith(VK_SHIFT, vk); }

HWND OpenMenu() {
  HWND h = ::FindWindowA("#32768", nullptr);
  return h && ::IsWindowVisible(h) ? h : nullptr;
}

bool RightClick(PagerSession& pager, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(pager.Pager(), &p);
  for (int attempt = 0; attempt < 2; ++attempt) {
    PagerSession::ClickScreen(p.x, p.y, true);
    if (!test::PumpUntil([] { return OpenMenu() != nullptr; })) return false;
    // The keys reach the menu through its owner, once that is the foreground window. A
    // menu whose owner did not come to the front would lose them: it is closed with an
    // Escape posted to it (the menu gone, nothing of this try is left) and the right
    // click given again.
    if (!test::PumpUntil([&] { return ::GetForegroundWindow() == pager.Pager(); }, 2000)) {
      ::PostMessageA(OpenMenu(), WM_KEYDOWN, VK_ESCAPE, 0);
      if (!test::PumpUntil([] { return OpenMenu() == nullptr; }, 2000)) return false;
      continue;
    }
    // The pointer off the menu, so that no item is selected and the arrow keys count from the top.
    PagerSession::MoveMouse(::GetSystemMetrics(SM_CXSCREEN) - 2, ::GetSystemMetrics(SM_CYSCREEN) - 2);
    Settle(OpenMenu());
    return true;
  }
  return false;
}

void Choose(int index, int sub) {
  for (int i = 0; i <= index; ++i) Key(VK_DOWN);
  if (sub >= 0) {
    Key(VK_RIGHT);  // opens the submenu on its first item
    for (int i = 0; i < sub; ++i) Key(VK_DOWN);
  }
  Key(VK_RETURN);
}

HWND ChooseUntilShown(PagerSession& pager, int x, int y, int index, const char* effectClass, const char* effectTitle,
                      int timeoutMs) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    // Tried again only when the last try left nothing behind: no menu open, and the
    // window did not come late. Otherwise the right click and the keys would land on it.
    if (attempt > 0) {
      if (OpenMenu()) Key(VK_ESCAPE);
      test::PumpUntil([] { return OpenMenu() == nullptr; }, 2000);
      if (HWND late = WaitWindow(effectClass, effectTitle, 1000)) return late;
    }
    if (!RightClick(pager, x, y)) continue;
    Choose(index);
    if (HWND shown = WaitWindow(effectClass, effectTitle, timeoutMs)) return shown;
  }
  return nullptr;
}

bool ChoiceRefused(int index, const char* effectClass, const char* effectTitle) {
  Choose(index);
  const bool acted = WaitWindow(effectClass, effectTitle, 800) != nullptr;
  if (OpenMenu()) Key(VK_ESCAPE);
  test::PumpUntil([] { return OpenMenu() == nullptr; }, 2000);
  return !acted;
}

void ClickScreen(int x, int y) { PagerSession::ClickScreen(x, y); }

HWND WaitWindow(const char* className, const char* title, int timeoutMs) {
  HWND found = nullptr;
  test::PumpUntil(
      [&] {
        found = ::FindWindowA(className, title);
        return found && ::IsWindowVisible(found);
      },
      timeoutMs);
  return found && ::IsWindowVisible(found) ? found : nullptr;
}

bool Visible(const char* className) {
  HWND h = ::FindWindowA(className, nullptr);
  return h && ::IsWindowVisible(h);
}

std::string TextOf(HWND window) {
  char buf[1024] = {};
  ::GetWindowTextA(window, buf, sizeof buf);
  return buf;
}

namespace {
BOOL CALLBACK CollectStatic(HWND h, LPARAM lp) {
  char cls[32] = {}, text[256] = {};
  ::GetClassNameA(h, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") == 0 && ::GetWindowTextA(h, text, sizeof text) > 0) {
    auto* out = reinterpret_cast<std::string*>(lp);
    if (!out->empty()) *out += "|";
    *out += text;
  }
  return TRUE;
}
}  // namespace

std::string DialogText(HWND dialog) {
  std::string text;
  ::EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

std::string IniValue(const PagerSession& pager, const char* section, const char* key) {
  char value[512] = {};
  ::GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, pager.IniPath().c_str());
  return value;
}

std::string ControlText(HWND control) {
  char text[1024] = {};
  DWORD_PTR got = 0;
  ::SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got);
  return text;
}

void SetControlText(HWND control, const std::string& text) {
  DWORD_PTR got = 0;
  ::SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000, &got);
}

void Press(HWND dialog, int buttonId) {
  Settle(dialog);
  ::PostMessageA(::GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

bool ClickUntil(POINT at, const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    ClickScreen(at.x, at.y);
    if (test::PumpUntil(done, 3000)) return true;
    // Clicked again only once the program has taken all its input and the click still
    // shows no effect: a click that came late would otherwise count twice.
    SettleAt(at.x, at.y);
    if (done()) return true;
  }
  return false;
}

void ChooseFile(HWND fileDialog, const std::string& name) {
  // The dialog is found by its title while it may still be building its controls: the
  // name goes in once the box is there, the dialog shows and has taken its input.
  HWND box = nullptr;
  test::PumpUntil(
      [&] {
        box = ::GetDlgItem(fileDialog, 0x47C);  // the file name box, a combo box with an edit inside
        return box && ::IsWindowVisible(fileDialog);
      },
      10000);
  Settle(fileDialog);
  if (HWND edit = ::FindWindowExA(box, nullptr, "Edit", nullptr)) box = edit;
  ::SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  ::PostMessageA(fileDialog, WM_COMMAND, IDOK, 0);
}

}  // namespace korvi::e2e
