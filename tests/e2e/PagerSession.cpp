#include "e2e/PagerSession.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/WideText_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {

void RemoveWallpaper() { ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), 0); }

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path);
  return p.substr(0, p.find_last_of('\\'));
}

static void CopyShippedFiles(const std::string& from, const std::string& to) {
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW(Widen(from + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      ::CopyFileW((Widen(from + "\\") + fd.cFileName).c_str(), (Widen(to + "\\") + fd.cFileName).c_str(), FALSE);
  } while (::FindNextFileW(h, &fd));
  ::FindClose(h);
}

PagerSession::PagerSession(const char* ini, const std::string& name) {
  static int counter = 0;
  folder_ = test::TempDir() + "\\pager" + std::to_string(++counter) + name;
  ::CreateDirectoryW(Widen(folder_).c_str(), nullptr);
  CopyShippedFiles(ProgramFolder() + "\\dist", folder_);
  ::DeleteFileW(Widen(IniPath()).c_str());
  if (ini) test::WriteFileBytes(IniPath(), ini);
}

PagerSession::PagerSession(InPlace, std::string folder) : folder_(std::move(folder)) {}

PagerSession::~PagerSession() {
  if (Running()) Kill();
  if (process_.hProcess) ::CloseHandle(process_.hProcess);
  if (process_.hThread) ::CloseHandle(process_.hThread);
}

namespace {
struct Search {
  DWORD pid;
  HWND found;
};
BOOL CALLBACK FindPager(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  char cls[64] = {};
  ::GetClassNameA(h, cls, sizeof cls);
  if (pid == s->pid && lstrcmpA(cls, "Korvi8Pager") == 0 && ::IsWindowVisible(h)) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

bool PagerSession::Start() {
  std::string exe = folder_ + "\\Korvi8.exe";
  // The mouse rests away from where the panel comes, as after starting a program.
  if (!keepMouse_) MoveMouse(::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 3);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring cmd = L"\"" + Widen(exe) + L"\"";
  if (!::CreateProcessW(Widen(exe).c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, Widen(folder_).c_str(),
                        &si, &process_))
    return false;
  ::WaitForInputIdle(process_.hProcess, 10000);
  bool shown = test::PumpUntil(
      [&] {
        Search s{process_.dwProcessId, nullptr};
        ::EnumWindows(FindPager, reinterpret_cast<LPARAM>(&s));
        pager_ = s.found;
        return pager_ != nullptr;
      },
      15000);
  // Let the pager finish its start-up before any input: idle, and painted.
  ::WaitForInputIdle(process_.hProcess, 5000);
  if (shown) test::PumpUntil([&] { return !::GetUpdateRect(pager_, nullptr, FALSE); }, 3000);
  return shown;
}

bool PagerSession::Running() {
  return process_.hProcess && ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void PagerSession::Kill() {
  ::TerminateProcess(process_.hProcess, 1);
  ::WaitForSingleObject(process_.hProcess, 10000);
}

void PagerSession::Close() {
  ::PostMessageA(pager_, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) Kill();
}

std::string PagerSession::ReadIni() const { return test::ReadFileBytes(IniPath()); }

RECT PagerSession::PagerRect() const {
  RECT r{};
  ::GetWindowRect(pager_, &r);
  return r;
}

namespace {
// One mouse event at a screen point. The normalised coordinates are rounded up, so that
// the system's conversion back (which rounds down) lands on exactly this pixel.
INPUT MouseAt(int x, int y, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = (x * 65536 + w - 1) / w;
  in.mi.dy = (y * 65536 + h - 1) / h;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  return in;
}

bool PointerAt(int x, int y) {
  POINT c{};
  return ::GetCursorPos(&c) && c.x == x && c.y == y;
}

// The last press of either button, to keep two presses at one spot from making a double click.
struct PressRecord {
  bool valid = false, right = false;
  POINT at{};
  DWORD time = 0;
} lastPress;
}  // namespace

void PagerSession::MoveMouse(int x, int y) {
  // Under Wine a pointer move that the X server reports late can put the pointer back
  // where it was a few milliseconds after it was moved: the move counts once the pointer
  // has stayed at its point for a while, and is made again when it did not.
  for (int attempt = 0; attempt < 3; ++attempt) {
    ::SetCursorPos(x, y);
    INPUT in = MouseAt(x, y, 0);
    ::SendInput(1, &in, sizeof in);
    if (!test::PumpUntil([&] { return PointerAt(x, y); }, 2000)) continue;
    const DWORD since = ::GetTickCount();
    if (test::PumpUntil([&] { return !PointerAt(x, y) || ::GetTickCount() - since >= 60; }, 1000) && PointerAt(x, y))
      break;
  }
  SettleAt(x, y);
}

void PagerSession::MouseButton(int x, int y, bool down, bool right) {
  const int key = right ? VK_RBUTTON : VK_LBUTTON;
  if (down && lastPress.valid && lastPress.right == right &&
      std::abs(x - lastPress.at.x) <= ::GetSystemMetrics(SM_CXDOUBLECLK) &&
      std::abs(y - lastPress.at.y) <= ::GetSystemMetrics(SM_CYDOUBLECLK)) {
    // Near the last press within the double-click time the system would make this a
    // double click: the rest of that time is waited out first.
    const DWORD wait = ::GetDoubleClickTime() + 100;
    test::PumpUntil([&] { return ::GetTickCount() - lastPress.time > wait; }, static_cast<int>(wait));
  }
  // The button event carries its point: under Wine a pointer move reported late by the X
  // server can put the pointer back where it was just before, and a bare press would land there.
  INPUT in = MouseAt(x, y,
                     down ? (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN)
                          : (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
  ::SendInput(1, &in, sizeof in);
  if (down) lastPress = {true, right, {x, y}, ::GetTickCount()};
  // Taken by the system once the button's state shows it.
  test::PumpUntil([&] { return ((::GetAsyncKeyState(key) & 0x8000) != 0) == down; }, 2000);
}

void PagerSession::ClickClient(int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(pager_, &p);
  ClickScreen(p.x, p.y);
}

void PagerSession::ClickScreen(int x, int y, bool right) {
  MoveMouse(x, y);
  MouseButton(x, y, true, right);
  test::Pump(40);  // held a moment, as a hand does
  MouseButton(x, y, false, right);
  SettleAt(x, y);
}

void SettleAt(int x, int y) { Settle(::WindowFromPoint({x, y})); }

void Settle(HWND window) {
  DWORD pid = 0;
  if (window) ::GetWindowThreadProcessId(window, &pid);
  if (pid && pid != ::GetCurrentProcessId()) {
    if (HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid)) {
      ::WaitForInputIdle(process, 2000);
      ::CloseHandle(process);
    }
  }
  // This program's own windows (and its view of the others') catch up.
  test::PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) == 0; }, 1000);
}

namespace {
// A copy of a screen area as a 24-bit bottom-up bitmap: its header and its rows.
struct ScreenCopy {
  BITMAPINFOHEADER header{};
  std::string rows;
  int stride = 0;
};
ScreenCopy CopyScreen(const RECT& area) {
  ScreenCopy copy;
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return copy;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  ::BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
  ::GdiFlush();
  copy.header = bi.bmiHeader;
  copy.stride = (w * 3 + 3) & ~3;
  copy.rows.assign(static_cast<char*>(bits), static_cast<size_t>(copy.stride) * h);
  ::SelectObject(mem, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return copy;
}
}  // namespace

std::string SaveScreenshot(const std::string& name) {
  char dir[MAX_PATH] = {};
  if (!::GetEnvironmentVariableA("KORVI_SCREENSHOT_DIR", dir, MAX_PATH)) lstrcpynA(dir, test::TempDir().c_str(), MAX_PATH);
  std::string path = std::string(dir) + "\\" + name + ".bmp";
  const ScreenCopy copy = CopyScreen({0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof copy.header;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(copy.rows.size());
  std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
  bytes.append(reinterpret_cast<const char*>(&copy.header), sizeof copy.header);
  bytes += copy.rows;
  test::WriteFileBytes(path, bytes);
  return path;
}

std::vector<COLORREF> ScreenPixels(const RECT& area) {
  const ScreenCopy copy = CopyScreen(area);
  const int w = copy.header.biWidth, h = copy.header.biHeight;
  std::vector<COLORREF> out;
  out.reserve(static_cast<size_t>(w) * h);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const auto* p = reinterpret_cast<const unsigned char*>(copy.rows.data()) + static_cast<size_t>(y) * copy.stride + x * 3;
      out.push_back(RGB(p[2], p[1], p[0]));
    }
  return out;
}

namespace {
std::string Describe(HWND h) {
  if (!h) return "none";
  char cls[64] = {}, text[64] = {};
  ::GetClassNameA(h, cls, sizeof cls);
  ::GetWindowTextA(h, text, sizeof text);
  return std::string(cls) + " '" + text + "'";
}
}  // namespace

std::string InputState(HWND window, POINT at) {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  std::ostringstream out;
  out << "capture " << Describe(gui.hwndCapture) << ", active " << Describe(gui.hwndActive) << ", focus "
      << Describe(gui.hwndFocus) << ", flags " << gui.flags << ", foreground " << Describe(::GetForegroundWindow())
      << ", pointer " << cursor.x << "," << cursor.y << ", left button "
      << ((::GetAsyncKeyState(VK_LBUTTON) & 0x8000) ? "down" : "up") << ", at " << at.x << "," << at.y << " "
      << Describe(::WindowFromPoint(at));
  // A message box of the program says why.
  for (HWND c = gui.hwndActive ? ::GetWindow(gui.hwndActive, GW_CHILD) : nullptr; c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    char text[256] = {};
    DWORD_PTR got = 0;
    if (::SendMessageTimeoutA(c, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 500, &got) &&
        got)
      out << " [" << text << "]";
  }
  // The visible top-level windows of the window's process, front to back.
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(h, &owner);
    if (owner == pid && ::IsWindowVisible(h)) out << "; shown " << Describe(h);
  }
  return out.str();
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = ::GetDC(nullptr);
  COLORREF c = ::GetPixel(screen, x, y);
  ::ReleaseDC(nullptr, screen);
  return c;
}

}  // namespace korvi::e2e
