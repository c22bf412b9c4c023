#pragma once
// Files for the Windows tests: the ImageMagick-made fixtures beside the test program
// (glyph-fixtures\, made at build time) and a private temporary folder per test. Paths
// are UTF-8, as the program's own.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WideText_win.h"

namespace korvi::test {

using Buf = std::vector<uint8_t>;

inline std::string ExeFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::string s = Narrow(path);
  return s.substr(0, s.find_last_of('\\') + 1);
}

inline std::string Fixture(const std::string& name) { return ExeFolder() + "glyph-fixtures\\" + name; }

inline Buf ReadBytes(const std::string& path) {
  Buf out;
  HANDLE f = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return out;
  out.resize(GetFileSize(f, nullptr));
  DWORD got = 0;
  if (!out.empty() && !ReadFile(f, out.data(), static_cast<DWORD>(out.size()), &got, nullptr)) got = 0;
  out.resize(got);
  CloseHandle(f);
  return out;
}

inline bool WriteBytes(const std::string& path, const Buf& bytes) {
  HANDLE f = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  const bool ok = bytes.empty() || WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  CloseHandle(f);
  return ok && put == bytes.size();
}

// A fresh folder under %TEMP%, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    path_ = Narrow(base) + "korvi-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "\\";
    CreateDirectoryW(Widen(path_).c_str(), nullptr);
  }
  ~TempFolder() { Remove(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(Widen(folder + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = Narrow(fd.cFileName);
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(folder + name + "\\");
        else
          DeleteFileW(Widen(folder + name).c_str());
      } while (FindNextFileW(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryW(Widen(folder).c_str());
  }
  std::string path_;
};

}  // namespace korvi::test
