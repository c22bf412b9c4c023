#pragma once
#include <windows.h>

#include "platform/Platform.h"
#include "platform/WindowSystem_win.h"

namespace korvi {

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  ReadResult ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) override;
  ReadResult ReadFileStart(const std::string& path, std::string& content, std::size_t count) override;
  bool ReplaceFileContent(const std::string& path, const std::string& content) override;
  std::string AnsiToUtf8(std::string_view ansi) override;
  bool Utf8ToAnsi(std::string_view utf8, std::string& ansi) override;

  // The system calls that read a file and put a new file in the old one's place; tests stand in
  // for them to try the ways they can fail half-way.
  using ReadCall = BOOL(WINAPI*)(HANDLE file, LPVOID buffer, DWORD want, LPDWORD got, LPOVERLAPPED);
  ReadCall Read = &::ReadFile;
  using ReplaceCall = BOOL(WINAPI*)(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID,
                                    LPVOID);
  ReplaceCall Replace = &::ReplaceFileW;
};

class Win32Shell : public Shell {
 public:
  void SetWallpaper(const std::string& file) override;
  void ShowError(const std::string& text) override;
  HWND Owner = nullptr;  // parent of message boxes
};

// The platform for the running program.
struct Win32Platform {
  Win32WindowSystem Windows;
  Win32FileSystem Files;
  Win32Shell Desktop;
  Platform Ref{Windows, Files, Desktop};
};

}  // namespace korvi
