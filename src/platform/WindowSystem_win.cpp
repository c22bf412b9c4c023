#include "platform/WindowSystem_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {

Rect RectOf(HWND h) {
  RECT r{};
  if (!::GetWindowRect(h, &r)) return {};
  return {r.left, r.top, r.right, r.bottom};
}

std::string TitleOf(HWND h) {
  // InternalGetWindowText reads the stored text and never sends WM_GETTEXT, so a
  // window whose thread hangs cannot block the pager here.
  wchar_t wide[128] = {};
  int n = ::InternalGetWindowText(h, wide, 128);
  if (n <= 0) return {};
  return Narrow(std::wstring_view(wide, static_cast<size_t>(n)));
}

BOOL CALLBACK CollectWindow(HWND h, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
  return TRUE;
}

constexpr char kRunProp[] = "Korvi8.Run";
constexpr char kOwnerProp[] = "Korvi8.Owner";
constexpr char kDesktopProp[] = "Korvi8.Desktop";
constexpr char kPlaceProp[] = "Korvi8.Place";

HANDLE AsProp(uint32_t v) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(v)); }
uint32_t FromProp(HANDLE h) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h)); }

DWORD OwnerOf(HWND h) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  return pid;
}

// The one watcher of foreground changes: a window-event hook passes no pointer of
// its own to its procedure.
std::function<void(WindowHandle)> g_foregroundHeard;

void CALLBACK ForegroundEvent(HWINEVENTHOOK, DWORD event, HWND h, LONG object, LONG child, DWORD, DWORD) {
  if (!h || !g_foregroundHeard) return;
  if (event == EVENT_SYSTEM_FOREGROUND && object == OBJID_WINDOW && child == CHILDID_SELF)
    g_foregroundHeard(FromHwnd(h));
  // Wine announces no foreground change, only the focus: the window in front then is the
  // top-level window of the one given the focus, or the one it hands the activation on to.
  else if (event == EVENT_OBJECT_FOCUS)
    g_foregroundHeard(FromHwnd(::GetForegroundWindow()));
}

}  // namespace

bool ReadHome(HWND h, DWORD run, HomeRecord& home) {
  if (run == 0 || FromProp(::GetPropA(h, kRunProp)) != run) return false;
  const DWORD owner = FromProp(::GetPropA(h, kOwnerProp));
  if (owner == 0 || owner != OwnerOf(h)) return false;
  const uint32_t place = FromProp(::GetPropA(h, kPlaceProp));
  home.Desktop = static_cast<int32_t>(FromProp(::GetPropA(h, kDesktopProp)));
  home.Left = static_cast<int16_t>(place & 0xFFFF);
  home.Top = static_cast<int16_t>(place >> 16);
  return true;
}

namespace {
// The window placement's "normal" rectangle is in workspace coordinates (the work area
// of its monitor is the origin), except for tool windows, whose are screen coordinates.
POINT WorkspaceOrigin(HWND h, const RECT& normal) {
  if (::GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return {0, 0};
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!::GetMonitorInfoA(::MonitorFromRect(&normal, MONITOR_DEFAULTTOPRIMARY), &mi)) return {0, 0};
  return {mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
}

bool MinimisedPlacement(HWND h, WINDOWPLACEMENT& wp) {
  wp = {};
  wp.length = sizeof wp;
  if (!::IsIconic(h) || !::GetWindowPlacement(h, &wp)) return false;
  // A placement that names the minimised rectangle as the normal one is not the real
  // one (as some systems answer for another process's window).
  RECT now{};
  ::GetWindowRect(h, &now);
  return !::EqualRect(&now, &wp.rcNormalPosition) && !::IsRectEmpty(&wp.rcNormalPosition);
}
}  // namespace

bool RestoredPlace(HWND h, Rect& place) {
  WINDOWPLACEMENT wp;
  if (!MinimisedPlacement(h, wp)) return false;
  const RECT& n = wp.rcNormalPosition;
  const POINT o = WorkspaceOrigin(h, n);
  place = {n.left + o.x, n.top + o.y, n.right + o.x, n.bottom + o.y};
  return true;
}

namespace {
struct Placement {
  HWND Window;
  WINDOWPLACEMENT Place;
};
DWORD WINAPI PlaceOnItsOwnThread(void* p) {
  auto* job = static_cast<Placement*>(p);
  const BOOL done = ::SetWindowPlacement(job->Window, &job->Place);
  delete job;
  return done ? 1 : 0;
}
}  // namespace

bool SetRestoredPlace(HWND h, const Rect& place, DWORD waitMs) {
  WINDOWPLACEMENT wp;
  if (!MinimisedPlacement(h, wp)) return false;
  const POINT o = WorkspaceOrigin(h, wp.rcNormalPosition);
  wp.rcNormalPosition = {place.Left - o.x, place.Top - o.y, place.Right - o.x, place.Bottom - o.y};
  // Minimised it stays, without being activated; the system's own minimised place is kept.
  wp.showCmd = SW_SHOWMINNOACTIVE;
  wp.flags = (wp.flags & WPF_RESTORETOMAXIMIZED) | WPF_ASYNCWINDOWPLACEMENT;
  if (::GetWindowThreadProcessId(h, nullptr) == ::GetCurrentThreadId()) return ::SetWindowPlacement(h, &wp) != FALSE;
  auto* job = new Placement{h, wp};
  HANDLE t = ::CreateThread(nullptr, 0, &PlaceOnItsOwnThread, job, 0, nullptr);
  if (!t) {
    delete job;
    return false;
  }
  const ULONGLONG end = ::GetTickCount64() + waitMs;
  DWORD done = 0;
  const bool ended = ::WaitForSingleObject(t, waitMs) == WAIT_OBJECT_0 && ::GetExitCodeThread(t, &done);
  ::CloseHandle(t);
  // Still waiting for the window (its program does not answer), or refused.
  if (!ended || !done) return false;
  // A system that posts the placement to the window's own thread returns before the
  // window takes it: the place counts once the window shows it.
  for (;;) {
    Rect now;
    if (RestoredPlace(h, now) && now.Left == place.Left && now.Top == place.Top) return true;
    if (::GetTickCount64() >= end) return false;
    ::Sleep(10);
  }
}

DWORD RecordedRun(HWND h) { return FromProp(::GetPropA(h, kRunProp)); }

void ForgetHome(HWND h) {
  for (const char* p : {kRunProp, kOwnerProp, kDesktopProp, kPlaceProp}) ::RemovePropA(h, p);
}

namespace {
uint32_t PlaceOf(const HomeRecord& home) {
  return static_cast<uint16_t>(home.Left) | (static_cast<uint32_t>(static_cast<uint16_t>(home.Top)) << 16);
}
}  // namespace

void Win32WindowSystem::RecordHome(WindowHandle window, const HomeRecord* home) {
  // Each property call is a round trip to the window manager (Wine's server), as dear
  // as a move: a switch writes only what changed since this run last wrote.
  const HWND h = ToHwnd(window);
  auto it = written_.find(window);
  if (!home) {
    // Only this run's record goes; a window this run never wrote on carries none of it.
    if (it != written_.end() && it->second.Run) {
      it->second.Run = false;
      // Another run that wrote on the window meanwhile left other data: written whole next.
      if (FromProp(::RemovePropA(h, kRunProp)) != ::GetCurrentProcessId()) written_.erase(it);
    }
    return;
  }
  const HANDLE run = AsProp(::GetCurrentProcessId());
  if (it != written_.end() && it->second.Run && it->second.Home == *home) return;
  // The run off first and on last, so that a record is never read half made. A window
  // this run has not written on may carry another run's record: all of it is written.
  bool whole = it == written_.end();
  if (whole || it->second.Run) ::RemovePropA(h, kRunProp);
  if (whole) it = written_.emplace(window, Written{OwnerOf(h), *home, false}).first;
  Written& w = it->second;
  w.Run = false;
  const bool ok = (!whole || ::SetPropA(h, kOwnerProp, AsProp(w.Owner))) &&
                  ((!whole && w.Home.Desktop == home->Desktop) ||
                   ::SetPropA(h, kDesktopProp, AsProp(static_cast<uint32_t>(home->Desktop)))) &&
                  ((!whole && PlaceOf(w.Home) == PlaceOf(*home)) || ::SetPropA(h, kPlaceProp, AsProp(PlaceOf(*home)))) &&
                  ::SetPropA(h, kRunProp, run);
  if (!ok) {
    written_.erase(it);  // gone, or the system refused: the next record is written whole
    return;
  }
  w.Home = *home;
  w.Run = true;
}

bool Win32WindowSystem::PlaceMinimised(WindowHandle window, const Rect& restored) {
  // Long enough for an answering program, so the next snapshot sees the new place.
  return SetRestoredPlace(ToHwnd(window), restored, 200);
}

void Win32WindowSystem::ForgetHomes() {
  std::vector<HWND> handles;
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&handles));
  const DWORD run = ::GetCurrentProcessId();
  for (HWND h : handles)
    if (written_.count(FromHwnd(h)) || FromProp(::GetPropA(h, kRunProp)) == run) ForgetHome(h);
  written_.clear();
}

WindowSnapshot Win32WindowSystem::TopLevelWindows() {
  // EnumWindows lists the handles in Z-order before calling back, so windows that
  // close meanwhile cannot break the walk (as GetWindow(GW_HWNDNEXT) chains can).
  std::vector<HWND> handles;
  handles.reserve(256);
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&handles));
  WindowSnapshot s;
  const HWND root = ::GetDesktopWindow();
  s.Root = {FromHwnd(root), RectOf(root), TitleOf(root), true, false, {}};
  s.Windows.reserve(handles.size());
  std::unordered_set<WindowHandle> alive;
  for (HWND h : handles) {
    // The style tells both states at once (a top-level window's parent is the root,
    // always shown), and that the window is still there: each call about another
    // program's window is a round trip to the window manager (Wine's server).
    ::SetLastError(ERROR_SUCCESS);
    const LONG style = ::GetWindowLongW(h, GWL_STYLE);
    if (style == 0 && ::GetLastError() != ERROR_SUCCESS) continue;  // closed since the list was taken
    WindowInfo w{FromHwnd(h), RectOf(h), TitleOf(h), (style & WS_VISIBLE) != 0, (style & WS_MINIMIZE) != 0, {}};
    if (w.Minimised && w.Visible) RestoredPlace(h, w.Restored);
    if (!pending_.Empty()) w.Bounds = pending_.Reported(w.Handle, w.Bounds);
    if (!pending_.Empty() || !written_.empty()) alive.insert(w.Handle);
    s.Windows.push_back(std::move(w));
  }
  if (!pending_.Empty()) pending_.KeepOnly(alive);
  std::erase_if(written_, [&](const auto& w) { return !alive.count(w.first); });
  return s;
}

void Win32WindowSystem::MoveWindow(WindowHandle window, const Rect& r) {
  const HWND h = ToHwnd(window);
  if (h == ::GetDesktopWindow()) return;
  const Rect actual = RectOf(h);
  // The same rectangle MoveWindow would get, but posted to the window's own thread
  // (SWP_ASYNCWINDOWPOS): a program that does not answer messages cannot stall a switch.
  // Windows of the pager's own thread are moved at once.
  if (!::SetWindowPos(h, nullptr, r.Left, r.Top, r.Width(), r.Height(),
                      SWP_ASYNCWINDOWPOS | SWP_NOZORDER | SWP_NOACTIVATE))
    return;  // gone
  pending_.Asked(window, actual, r);
}

int32_t Win32WindowSystem::ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int32_t Win32WindowSystem::ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

Rect Win32WindowSystem::VirtualScreen() {
  const int32_t x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int32_t w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (w <= 0 || h <= 0) return {0, 0, ScreenWidth(), ScreenHeight()};
  return {x, y, x + w, y + h};
}

bool Win32WindowSystem::SettleMoves(int32_t ms) {
  // Each snapshot compares the windows with their posted moves and forgets the ones
  // that have landed; a window whose program does not answer keeps its move pending
  // until the time is up.
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms < 0 ? 0 : ms);
  for (;;) {
    TopLevelWindows();
    if (pending_.Empty()) return true;
    if (::GetTickCount64() >= end) return false;
    ::Sleep(20);
  }
}

Rect Win32WindowSystem::WorkArea() {
  // The primary monitor's work area, asked afresh each time: Wine answers
  // SPI_GETWORKAREA from a copy each process takes once, which a change of
  // resolution leaves behind; the monitor's own record follows it. On Windows the
  // two are the same rectangle.
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (::GetMonitorInfoA(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi))
    return {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
  RECT r{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) return {0, 0, ScreenWidth(), ScreenHeight()};
  return {r.left, r.top, r.right, r.bottom};
}

Point Win32WindowSystem::CursorPos() {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

WindowHandle Win32WindowSystem::ForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

std::string Win32WindowSystem::ClassName(WindowHandle window) {
  // As UTF-8, like the class names the settings file gives.
  wchar_t name[257] = {};
  const int n = ::GetClassNameW(ToHwnd(window), name, 257);
  return n > 0 ? Narrow(std::wstring_view(name, static_cast<size_t>(n))) : std::string();
}

bool Win32WindowSystem::IsOwnWindow(WindowHandle window) {
  return window != 0 && ::IsWindow(ToHwnd(window)) && OwnerOf(ToHwnd(window)) == ::GetCurrentProcessId();
}

bool Win32WindowSystem::WindowExists(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool Win32WindowSystem::RegisterHotkey(int32_t id, uint32_t modifiers, uint32_t key) {
#ifndef MOD_NOREPEAT
  constexpr UINT MOD_NOREPEAT = 0x4000;  // older MinGW headers lack it
#endif
  ::UnregisterHotKey(HotkeyTarget, id);
  // The modifier bits are the system's own (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8).
  return ::RegisterHotKey(HotkeyTarget, id, (modifiers & 0xF) | MOD_NOREPEAT, key) != FALSE;
}

void Win32WindowSystem::UnregisterHotkey(int32_t id) { ::UnregisterHotKey(HotkeyTarget, id); }

bool Win32WindowSystem::Describe(WindowHandle window, WindowInfo& info) {
  const HWND h = ToHwnd(window);
  if (!::IsWindow(h)) return false;
  info = {window, pending_.Reported(window, RectOf(h)), TitleOf(h), ::IsWindowVisible(h) != FALSE,
          ::IsIconic(h) != FALSE, {}};
  return true;
}

bool Win32WindowSystem::WatchForeground(std::function<void(WindowHandle)> heard) {
  for (HWINEVENTHOOK* h : {&hook_, &focusHook_}) {
    if (*h) ::UnhookWinEvent(*h);
    *h = nullptr;
  }
  g_foregroundHeard = std::move(heard);
  if (!g_foregroundHeard) return false;
  // Out of context: the notices come through this thread's message loop, and no code
  // of the pager is loaded into other programs. Its own windows are never followed.
  constexpr DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
  hook_ = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &ForegroundEvent, 0, 0, flags);
  focusHook_ = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &ForegroundEvent, 0, 0, flags);
  return hook_ != nullptr && focusHook_ != nullptr;
}

}  // namespace korvi
