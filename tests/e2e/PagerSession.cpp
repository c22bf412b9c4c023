#include "e2e/PagerSession.h"

#include <fstream>
#include <sstream>

#include "win/WinTestUtil.h"

namespace korvi::e2e {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path);
  return p.substr(0, p.find_last_of('\\'));
}

static void CopyShippedFiles(const std::string& from, const std::string& to) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((from + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      ::CopyFileA((from + "\\" + fd.cFileName).c_str(), (to + "\\" + fd.cFileName).c_str(), FALSE);
  } while (::FindNextFileA(h, &fd));
  ::FindClose(h);
}

PagerSession::PagerSession(const char* ini) {
  static int counter = 0;
  folder_ = test::TempDir() + "\\pager" + std::to_string(++counter);
  ::CreateDirectoryA(folder_.c_str(), nullptr);
  CopyShippedFiles(ProgramFolder() + "\\dist", folder_);
  ::DeleteFileA(IniPath().c_str());
  if (ini) test::WriteFileBytes(IniPath(), ini);
}

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
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string cmd = "\"" + exe + "\"";
  if (!::CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si,
                        &process_))
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

void PagerSession::MoveMouse(int x, int y) {
  ::SetCursorPos(x, y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  // Normalised coordinates rounded up, so that the system's conversion back (which
  // rounds down) lands on exactly this pixel.
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = (x * 65536 + w - 1) / w;
  in.mi.dy = (y * 65536 + h - 1) / h;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof in);
  test::Pump(30);
}

void PagerSession::ClickClient(int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(pager_, &p);
  ClickScreen(p.x, p.y);
}

void PagerSession::ClickScreen(int x, int y, bool right) {
  MoveMouse(x, y);
  // Press and release a moment apart, as a hand does.
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  ::SendInput(1, &in, sizeof in);
  test::Pump(40);
  in.mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &in, sizeof in);
  test::Pump(80);
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

COLORREF ScreenPixel(int x, int y) {
  HDC screen = ::GetDC(nullptr);
  COLORREF c = ::GetPixel(screen, x, y);
  ::ReleaseDC(nullptr, screen);
  return c;
}

}  // namespace korvi::e2e
