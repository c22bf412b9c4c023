// korvi_window_owner.exe: another process that owns top-level windows for the desktop
// switch tests. Usage:
//   korvi_window_owner <tag> <blocked 0|1> <x,y,w,h>...
// Creates one window per rectangle, titled "korvi owner <tag> <i>" (i from 0), and sets
// the event "korvi-owner-ready-<tag>". When blocked, its thread then answers no messages
// (a busy or hung program) until "korvi-owner-wake-<tag>" is set, and sets
// "korvi-owner-awake-<tag>" when it starts answering. It ends at "korvi-owner-quit-<tag>",
// or by itself after a minute, so it never outlives a test run for long.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

HANDLE NamedEvent(const std::string& what, const std::string& tag) {
  return ::CreateEventA(nullptr, TRUE, FALSE, ("korvi-owner-" + what + "-" + tag).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::string tag = argv[1];
  const bool blocked = std::string(argv[2]) == "1";
  HANDLE ready = NamedEvent("ready", tag), wake = NamedEvent("wake", tag), awake = NamedEvent("awake", tag),
         quit = NamedEvent("quit", tag);

  WNDCLASSA wc{};
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "KorviOwnerWindow";
  ::RegisterClassA(&wc);
  for (int i = 3; i < argc; ++i) {
    int x = 0, y = 0, w = 0, h = 0;
    if (std::sscanf(argv[i], "%d,%d,%d,%d", &x, &y, &w, &h) != 4) return 2;
    const std::string title = "korvi owner " + tag + " " + std::to_string(i - 3);
    HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_POPUP | WS_BORDER, x, y, w, h, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  }
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  ::SetEvent(ready);

  const DWORD start = ::GetTickCount();
  if (blocked) ::WaitForSingleObject(wake, 60000);  // no messages are processed meanwhile
  ::SetEvent(awake);
  while (::GetTickCount() - start < 60000) {
    if (::MsgWaitForMultipleObjects(1, &quit, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) break;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  }
  return 0;
}
