#include "platform/Win32Platform_win.h"

namespace korvi {

WindowHandle Win32WindowSystem::DesktopWindow() { return FromHwnd(::GetDesktopWindow()); }
WindowHandle Win32WindowSystem::TopWindow(WindowHandle parent) { return FromHwnd(::GetTopWindow(ToHwnd(parent))); }
WindowHandle Win32WindowSystem::NextWindow(WindowHandle w) { return FromHwnd(::GetWindow(ToHwnd(w), GW_HWNDNEXT)); }
bool Win32WindowSystem::IsWindow(WindowHandle w) { return ::IsWindow(ToHwnd(w)) != FALSE; }
bool Win32WindowSystem::IsIconic(WindowHandle w) { return ::IsIconic(ToHwnd(w)) != FALSE; }
bool Win32WindowSystem::IsWindowVisible(WindowHandle w) { return ::IsWindowVisible(ToHwnd(w)) != FALSE; }

Rect Win32WindowSystem::WindowRect(WindowHandle w) {
  RECT r{};
  if (!::GetWindowRect(ToHwnd(w), &r)) return {};
  return {r.left, r.top, r.right, r.bottom};
}

std::string Win32WindowSystem::WindowText(WindowHandle w) {
  // InternalGetWindowText reads the stored text and never sends WM_GETTEXT, so a
  // window whose thread hangs cannot block the pager here.
  wchar_t wide[128] = {};
  int n = ::InternalGetWindowText(ToHwnd(w), wide, 128);
  if (n <= 0) return {};
  char buf[128 * 2] = {};
  int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, n, buf, sizeof buf, nullptr, nullptr);
  if (bytes < 0) bytes = 0;
  if (bytes > 127) bytes = 127;
  return std::string(buf, static_cast<size_t>(bytes));
}

void Win32WindowSystem::MoveWindow(WindowHandle w, int32_t x, int32_t y, int32_t width, int32_t height) {
  // The same rectangle MoveWindow would get, but posted to the window's own thread
  // (SWP_ASYNCWINDOWPOS): a program that does not answer messages cannot stall a switch.
  ::SetWindowPos(ToHwnd(w), nullptr, x, y, width, height, SWP_ASYNCWINDOWPOS | SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t Win32WindowSystem::ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int32_t Win32WindowSystem::ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

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

bool Win32FileSystem::FileExists(const std::string& path) {
  DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

FileSystem::ReadResult Win32FileSystem::ReadWholeFile(const std::string& path, std::string& content,
                                                       std::size_t limit) {
  HANDLE f = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    DWORD e = ::GetLastError();
    return (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) ? ReadResult::Missing : ReadResult::Failed;
  }
  LARGE_INTEGER size{};
  ReadResult result = ReadResult::Ok;
  if (!::GetFileSizeEx(f, &size) || size.QuadPart < 0) {
    result = ReadResult::Failed;
  } else if (static_cast<unsigned long long>(size.QuadPart) > limit) {
    result = ReadResult::TooLarge;
  } else {
    content.assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < content.size()) {
      DWORD got = 0;
      DWORD want = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 24));
      if (!::ReadFile(f, content.data() + done, want, &got, nullptr) || got == 0) break;
      done += got;
    }
    content.resize(done);  // a file that shrank while being read gives what was there
  }
  ::CloseHandle(f);
  return result;
}

bool Win32FileSystem::ReplaceFileContent(const std::string& path, const std::string& content) {
  const std::string temp = path + ".tmp";
  HANDLE f = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < content.size()) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 24));
    ok = ::WriteFile(f, content.data() + done, want, &put, nullptr) && put == want;
    done += put;
  }
  ok = ::FlushFileBuffers(f) && ok;
  ok = ::CloseHandle(f) && ok;
  // A read-only settings file is the user's choice: do not replace it behind their back.
  DWORD attrs = ::GetFileAttributesA(path.c_str());
  if (ok && attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) ok = false;
  // The new text is whole on disk before the old file goes. ReplaceFileA gives the
  // new file the old one's attributes (hidden, compressed, ...), security and
  // creation time; either it or the rename leaves the old file or the new one under
  // the name, never a mix.
  if (ok && attrs != INVALID_FILE_ATTRIBUTES) {
    ok = ::ReplaceFileA(path.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    // Wine's ReplaceFileA leaves the new file's own attributes: give it the old ones.
    if (ok && ::GetFileAttributesA(path.c_str()) != attrs) ::SetFileAttributesA(path.c_str(), attrs);
  } else if (ok) {
    ok = ::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  if (!ok) ::DeleteFileA(temp.c_str());
  return ok;
}

namespace {
// Converts between two code pages through UTF-16.
std::string Recode(std::string_view text, UINT from, UINT to) {
  if (text.empty()) return {};
  const int n = static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFFF / 4));
  std::wstring wide(static_cast<size_t>(n), L'\0');
  const int units = ::MultiByteToWideChar(from, 0, text.data(), n, wide.data(), n);
  if (units <= 0) return {};
  const int bytes = ::WideCharToMultiByte(to, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(to, 0, wide.data(), units, out.data(), bytes, nullptr, nullptr);
  return out;
}
}  // namespace

std::string Win32FileSystem::AnsiToUtf8(std::string_view ansi) { return Recode(ansi, CP_ACP, CP_UTF8); }
std::string Win32FileSystem::Utf8ToAnsi(std::string_view utf8) { return Recode(utf8, CP_UTF8, CP_ACP); }

void Win32Shell::SetWallpaper(const std::string& file) {
  // Neither written to the user profile nor broadcast: the change lasts for this session.
  std::string name = file;
  ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, name.data(), 0);
}

void Win32Shell::ShowError(const std::string& text) {
  ::MessageBoxA(Owner, text.c_str(), "Korvi8", MB_OK | MB_ICONERROR);
}

}  // namespace korvi
