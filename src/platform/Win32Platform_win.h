#pragma once
#include <windows.h>

#include "platform/Platform.h"

namespace korvi {

inline HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h); }
inline WindowHandle FromHwnd(HWND h) { return reinterpret_cast<WindowHandle>(h); }

class Win32WindowSystem : public WindowSystem {
 public:
  WindowHandle DesktopWindow() override;
  WindowHandle TopWindow(WindowHandle parent) override;
  WindowHandle NextWindow(WindowHandle window) override;
  bool IsWindow(WindowHandle window) override;
  bool IsIconic(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  Rect WindowRect(WindowHandle window) override;
  std::string WindowText(WindowHandle window) override;
  void MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height) override;
  int32_t ScreenWidth() override;
  int32_t ScreenHeight() override;
  Rect WorkArea() override;
  Point CursorPos() override;
};

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  ReadResult ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) override;
  bool ReplaceFileContent(const std::string& path, const std::string& content) override;
  std::string AnsiToUtf8(std::string_view ansi) override;
  std::string Utf8ToAnsi(std::string_view utf8) override;
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
