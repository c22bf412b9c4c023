#include "win/WinTestUtil.h"

#include "platform/WideText_win.h"
#include "platform/Win32Platform_win.h"

#include <fstream>
#include <sstream>

namespace korvi::test {

void Pump(int ms) {
  DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  do {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
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

ThreadWindow::ThreadWindow(int x, int y, int w, int h, bool blocked, const char* title, bool minimised)
    : x_(x), y_(y), w_(w), h_(h), blocked_(blocked), title_(title), minimised_(minimised) {
  created_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  wake_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  awake_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = ::CreateThread(nullptr, 0, &ThreadWindow::Thread, this, 0, nullptr);
  ::WaitForSingleObject(created_, 10000);
}

DWORD WINAPI ThreadWindow::Thread(void* p) {
  auto* self = static_cast<ThreadWindow*>(p);
  self->hwnd_ = ::CreateWindowExA(0, TestClass(), self->title_.c_str(), WS_POPUP | WS_BORDER, self->x_, self->y_,
                                  self->w_, self->h_, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::ShowWindow(self->hwnd_, self->minimised_ ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  ::SetEvent(self->created_);
  if (self->blocked_) ::WaitForSingleObject(self->wake_, 30000);  // no messages are processed meanwhile
  ::SetEvent(self->awake_);
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  return 0;
}

void ThreadWindow::Wake() { ::SetEvent(wake_); }
bool ThreadWindow::Blocked() const { return ::WaitForSingleObject(awake_, 0) == WAIT_TIMEOUT; }

ThreadWindow::~ThreadWindow() {
  ::SetEvent(wake_);
  if (hwnd_) ::PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  ::PostThreadMessageA(::GetThreadId(thread_), WM_QUIT, 0, 0);
  if (::WaitForSingleObject(thread_, 5000) == WAIT_TIMEOUT) {
    ::PostThreadMessageA(::GetThreadId(thread_), WM_QUIT, 0, 0);  // in case the first came before its queue
    ::WaitForSingleObject(thread_, 5000);
  }
  for (HANDLE h : {thread_, created_, wake_, awake_}) ::CloseHandle(h);
}

namespace {
struct OwnerSearch {
  DWORD pid;
  std::string prefix;
  std::vector<HWND>* found;
};
BOOL CALLBACK FindOwnerWindow(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<OwnerSearch*>(p);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  if (pid != s->pid) return TRUE;
  // InternalGetWindowText sends nothing to the (possibly blocked) owner.
  wchar_t wide[128] = {};
  const int n = ::InternalGetWindowText(h, wide, 128);
  const std::string title(wide, wide + n);
  if (title.rfind(s->prefix, 0) != 0) return TRUE;
  const size_t i = std::stoul(title.substr(s->prefix.size()));
  if (i < s->found->size()) (*s->found)[i] = h;
  return TRUE;
}
}  // namespace

OwnerProcess::OwnerProcess(const std::vector<RECT>& windows, bool blocked) : count_(windows.size()) {
  static int serial = 0;
  tag_ = std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++serial);
  auto event = [&](const char* what) {
    return ::CreateEventA(nullptr, TRUE, FALSE, ("korvi-owner-" + std::string(what) + "-" + tag_).c_str());
  };
  ready_ = event("ready");
  wake_ = event("wake");
  awake_ = event("awake");
  quit_ = event("quit");
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string exe = self;
  exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "korvi_window_owner.exe";
  std::string cmd;  // appended piece by piece: GCC 12 warns wrongly (-Wrestrict) about "..." + std::string
  cmd.append(1, '"').append(exe).append("\" ").append(tag_).append(blocked ? " 1" : " 0");
  for (const RECT& r : windows)
    cmd.append(1, ' ').append(std::to_string(r.left)).append(1, ',').append(std::to_string(r.top)).append(1, ',')
        .append(std::to_string(r.right - r.left)).append(1, ',').append(std::to_string(r.bottom - r.top));
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (!::CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
    return;
  HANDLE waits[] = {ready_, process_.hProcess};
  if (::WaitForMultipleObjects(2, waits, FALSE, 20000) != WAIT_OBJECT_0) return;
  std::vector<HWND> found(count_, nullptr);
  OwnerSearch search{process_.dwProcessId, "korvi owner " + tag_ + " ", &found};
  ::EnumWindows(&FindOwnerWindow, reinterpret_cast<LPARAM>(&search));
  for (HWND h : found)
    if (h) windows_.push_back(h);
  if (windows_.size() != count_) windows_.clear();
  else windows_ = found;
}

void OwnerProcess::Wake() { ::SetEvent(wake_); }
bool OwnerProcess::Blocked() const { return ::WaitForSingleObject(awake_, 0) == WAIT_TIMEOUT; }

OwnerProcess::~OwnerProcess() {
  ::SetEvent(wake_);
  ::SetEvent(quit_);
  if (process_.hProcess) {
    // Only the process this object started, and only should it not end by itself.
    if (::WaitForSingleObject(process_.hProcess, 10000) == WAIT_TIMEOUT) ::TerminateProcess(process_.hProcess, 1);
    ::CloseHandle(process_.hProcess);
    ::CloseHandle(process_.hThread);
  }
  for (HANDLE h : {ready_, wake_, awake_, quit_}) ::CloseHandle(h);
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
  HANDLE f = ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  const bool ok = bytes.empty() || (::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
                                    put == bytes.size());
  return ::CloseHandle(f) && ok;
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  Win32FileSystem().ReadWholeFile(path, bytes, 1u << 30);
  return bytes;
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
