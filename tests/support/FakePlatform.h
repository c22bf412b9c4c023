#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace korvi::test {

// A scripted desktop: windows in Z-order (front of the list is topmost), a fixed
// screen, an in-memory file store and a record of what the logic asked for.
class FakeWindowSystem : public WindowSystem {
 public:
  struct Window {
    WindowHandle Handle = 0;
    Rect Bounds;
    std::string Text;
    bool Visible = true;
    bool Iconic = false;
    bool Alive = true;
  };
  struct Move {
    WindowHandle Handle;
    int32_t X, Y, Width, Height;
  };

  static constexpr WindowHandle kRoot = 1;

  // Adds a window below all others; returns its handle.
  WindowHandle Add(Rect bounds, std::string text = "", bool visible = true, bool iconic = false);
  Window& Get(WindowHandle h);

  WindowHandle DesktopWindow() override { return kRoot; }
  WindowHandle TopWindow(WindowHandle parent) override;
  WindowHandle NextWindow(WindowHandle window) override;
  bool IsWindow(WindowHandle window) override;
  bool IsIconic(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  Rect WindowRect(WindowHandle window) override;
  std::string WindowText(WindowHandle window) override;
  void MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height) override;
  int32_t ScreenWidth() override { return Screen.Width(); }
  int32_t ScreenHeight() override { return Screen.Height(); }
  Rect WorkArea() override { return Work; }
  Point CursorPos() override { return Cursor; }

  Rect Screen{0, 0, 1024, 768};
  Rect Work{0, 0, 1024, 768};
  Point Cursor{};
  std::string RootText = "Desktop";
  std::vector<Window> Windows;  // Z-order, topmost first
  std::vector<Move> Moves;

 private:
  Window* Find(WindowHandle h);
  WindowHandle next_ = 0x100;
};

class FakeFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override { return Files.count(path) != 0; }
  bool DirectoryExists(const std::string& path) override { return Directories.count(path) != 0; }
  ReadResult ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) override;
  bool ReplaceFileContent(const std::string& path, const std::string& content) override;
  // The fake's ANSI code page is Latin-1: bytes are U+0000..U+00FF.
  std::string AnsiToUtf8(std::string_view ansi) override;
  std::string Utf8ToAnsi(std::string_view utf8) override;

  std::map<std::string, std::string> Files;
  std::map<std::string, bool> Directories;
  bool FailWrites = false;
  int Writes = 0;
};

class FakeShell : public Shell {
 public:
  void SetWallpaper(const std::string& file) override { Wallpapers.push_back(file); }
  void ShowError(const std::string& text) override { Errors.push_back(text); }

  std::vector<std::string> Wallpapers;
  std::vector<std::string> Errors;
};

struct FakePlatform {
  FakeWindowSystem Windows;
  FakeFileSystem Files;
  FakeShell Desktop;
  Platform Ref{Windows, Files, Desktop};
};

}  // namespace korvi::test
