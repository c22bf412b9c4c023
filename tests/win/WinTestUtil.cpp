#include "win/WinTestUtil.h"

#include <fstream>
#include <sstream>

namespace korvi::test {

void Pump(int ms) {
  DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  do {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  DWORD end = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
  while (!done()) {
    if (static_cast<int>(end - ::GetTickCount()) <= 0) return done();
    Pump(10);
  }
  return true;
}

int LeftOf(HWND h) {
  RECT r{};
  ::GetWindowRect(h, &r);
  return r.left;
}

int TopOf(HWND h) {
  RECT r{};
  ::GetWindowRect(h, &r);
  return r.top;
}

static const char* TestClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "KorviTestWindow";
    ::RegisterClassA(&wc);
    registered = true;
  }
  return "KorviTestWindow";
}

HWND TestWindows::Open(int x, int y, int w, int h, bool show, const char* title) {
  HWND hwnd = ::CreateWindowExA(0, TestClass(), title, WS_POPUP | WS_BORDER, x, y, w, h, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
  if (show) ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  windows_.push_back(hwnd);
  return hwnd;
}

TestWindows::~TestWindows() {
  for (HWND h : windows_) ::DestroyWindow(h);
}

HungWindow::HungWindow(int x, int y, int w, int h) : x_(x), y_(y), w_(w), h_(h) {
  created_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  release_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = ::CreateThread(nullptr, 0, &HungWindow::Thread, this, 0, nullptr);
  ::WaitForSingleObject(created_, 10000);
}

DWORD WINAPI HungWindow::Thread(void* p) {
  auto* self = static_cast<HungWindow*>(p);
  self->hwnd_ = ::CreateWindowExA(0, TestClass(), "hung window", WS_POPUP | WS_BORDER, self->x_, self->y_,
                                  self->w_, self->h_, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::ShowWindow(self->hwnd_, SW_SHOWNOACTIVATE);
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  ::SetEvent(self->created_);
  // Hang: no messages are processed while we wait.
  if (::WaitForSingleObject(self->release_, 15000) == WAIT_TIMEOUT) ::InterlockedExchange(&self->timedOut_, 1);
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  return 0;
}

bool HungWindow::Release() {
  const bool stillHung = ::InterlockedCompareExchange(&timedOut_, 0, 0) == 0;
  ::SetEvent(release_);
  return stillHung;
}

HungWindow::~HungWindow() {
  ::SetEvent(release_);
  if (hwnd_) ::PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  ::PostThreadMessageA(::GetThreadId(thread_), WM_QUIT, 0, 0);
  ::WaitForSingleObject(thread_, 5000);
  ::CloseHandle(thread_);
  ::CloseHandle(created_);
  ::CloseHandle(release_);
}

std::string TempDir() {
  static std::string dir;
  if (dir.empty()) {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    dir = std::string(base) + "korvi-tests-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(dir.c_str(), nullptr);
  }
  return dir;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void WriteSmallBitmap(const std::string& path) {
  const int w = 8, h = 8, stride = w * 3;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biSizeImage = stride * h;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  std::string bytes(reinterpret_cast<char*>(&fh), sizeof fh);
  bytes.append(reinterpret_cast<char*>(&ih), sizeof ih);
  bytes.append(ih.biSizeImage, '\x40');
  WriteFileBytes(path, bytes);
}

}  // namespace korvi::test
