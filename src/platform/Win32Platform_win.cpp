#include "platform/Win32Platform_win.h"

namespace korvi {

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
  if (ok) ok = ::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!ok) ::DeleteFileA(temp.c_str());
  return ok;
}

void Win32Shell::SetWallpaper(const std::string& file) {
  // Neither written to the user profile nor broadcast: the change lasts for this session.
  std::string name = file;
  ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, name.data(), 0);
}

void Win32Shell::ShowError(const std::string& text) {
  ::MessageBoxA(Owner, text.c_str(), "Korvi8", MB_OK | MB_ICONERROR);
}

}  // namespace korvi
