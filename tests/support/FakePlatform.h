#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace korvi::test {

// A scripted desktop: windows in Z-order (front of the list is topmost), a fixed
// screen, an in-memory file store and a record of what the logic asked for.
// Like the system (the same window cases run against both), a snapshot reports a
// window at the place it was last asked to move to.
class FakeWindowSystem : public WindowSystem {
 public:
  struct Window {
    WindowHandle Handle = 0;
    Rect Bounds;
    std::string Text;
    bool Visible = true;
    bool Iconic = false;
    bool Alive = true;
    std::string Class;
    bool Own = false;  // a window of the pager's own program
    Rect Restored;  // a minimised window's restore place
    bool Answers = true;  // false: its program does not answer, and takes no restore place
  };
  struct Move {
    WindowHandle Handle;
    Rect Bounds;
    bool Recorded = false;  // the window carried a home record when the move was asked
  };

  static constexpr WindowHandle kRoot = 1;

  // Adds a window below all others; returns its handle.
  WindowHandle Add(Rect bounds, std::string text = "", bool visible = true, bool iconic = false);
  // Puts a window above all others.
  void Raise(WindowHandle h);
  Window& Get(WindowHandle h);

  WindowSnapshot TopLevelWindows() override;
  void MoveWindow(WindowHandle window, const Rect& bounds) override;
  int32_t ScreenWidth() override { return Screen.Width(); }
  int32_t ScreenHeight() override { return Screen.Height(); }
  Rect VirtualScreen() override { return Virtual.Width() > 0 ? Virtual : Screen; }
  void RecordHome(WindowHandle window, const HomeRecord* home) override {
    if (home) Homes[window] = *home;
    else Homes.erase(window);
  }
  void ForgetHomes() override { Homes.clear(); }
  bool PlaceMinimised(WindowHandle window, const Rect& restored) override;
  Rect WorkArea() override { return Work; }
  Point CursorPos() override { return Cursor; }
  WindowHandle ForegroundWindow() override { return Foreground; }
  std::string ClassName(WindowHandle h) override {
    const Window* w = Find(h);
    return w && w->Alive ? w->Class : std::string();
  }
  bool IsOwnWindow(WindowHandle h) override {
    const Window* w = Find(h);
    return w && w->Alive && w->Own;
  }
  bool WindowExists(WindowHandle h) override {
    const Window* w = Find(h);
    return w && w->Alive;
  }
  // Keys by id; a key in HeldElsewhere is refused, as one another program holds.
  bool RegisterHotkey(int32_t id, uint32_t modifiers, uint32_t key) override;
  void UnregisterHotkey(int32_t id) override { Hotkeys.erase(id); }
  bool Describe(WindowHandle window, WindowInfo& info) override;
  bool WatchForeground(std::function<void(WindowHandle)> heard) override {
    Heard = std::move(heard);
    return OffersHook;
  }
  uint64_t Milliseconds() override { return Clock; }

  // Brings a window to the front, as a click on its taskbar button or a program
  // would. The watcher hears of it when HookDelivers, and never for the pager's own
  // windows (Own).
  void Activate(WindowHandle h);

  // A desktop without the seam's memory of posted moves: moves land only at Settle()
  // and snapshots meanwhile show the old places, as a busy program's windows would.
  // For proving that the logic never computes from what it has just moved.
  bool LaggingMoves = false;
  void Settle();

  Rect Screen{0, 0, 1024, 768};
  Rect Work{0, 0, 1024, 768};
  Rect Virtual{};  // empty: one monitor, the screen
  Point Cursor{};
  WindowHandle Foreground = 0;
  std::map<int32_t, std::pair<uint32_t, uint32_t>> Hotkeys;  // id: modifiers, key
  std::vector<std::pair<uint32_t, uint32_t>> HeldElsewhere;
  std::string RootText = "Desktop";
  std::vector<Window> Windows;  // Z-order, topmost first
  std::vector<Move> Moves;      // every move asked for, in order
  std::map<WindowHandle, HomeRecord> Homes;  // the records kept with the windows
  bool OffersHook = true;             // WatchForeground says yes
  bool HookDelivers = true;           // and the notices come
  std::function<void(WindowHandle)> Heard;
  uint64_t Clock = 1000;              // Milliseconds

 private:
  Window* Find(WindowHandle h);
  WindowHandle next_ = 0x100;
  std::vector<Move> queued_;
};

class FakeFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override { return Files.count(path) != 0; }
  bool DirectoryExists(const std::string& path) override { return Directories.count(path) != 0; }
  ReadResult ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) override;
  ReadResult ReadFileStart(const std::string& path, std::string& content, std::size_t count) override;
  bool ReplaceFileContent(const std::string& path, const std::string& content) override;
  // The fake's ANSI code page is Latin-1: bytes are U+0000..U+00FF.
  std::string AnsiToUtf8(std::string_view ansi) override;
  bool Utf8ToAnsi(std::string_view utf8, std::string& ansi) override;

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
