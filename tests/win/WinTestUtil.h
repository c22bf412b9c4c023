#pragma once
// Helpers for tests that run against the real Win32 window manager.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace korvi::test {

// Processes this thread's messages for about `ms` milliseconds.
void Pump(int ms);
// Processes messages until `done` holds or `timeoutMs` passes; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

int LeftOf(HWND h);
int TopOf(HWND h);

// Plain top-level windows for a test, destroyed with it.
class TestWindows {
 public:
  TestWindows() = default;
  TestWindows(const TestWindows&) = delete;
  ~TestWindows();
  HWND Open(int x, int y, int w, int h, bool show = true, const char* title = "korvi test window");

 private:
  std::vector<HWND> windows_;
};

// A window owned by a thread of its own. A blocked thread answers no messages (a busy
// or hung program) until Wake(); a safety timeout of 30 s ends the block in any case.
class ThreadWindow {
 public:
  ThreadWindow(int x, int y, int w, int h, bool blocked, const char* title = "korvi thread window",
               bool minimised = false);
  ~ThreadWindow();
  ThreadWindow(const ThreadWindow&) = delete;
  HWND Handle() const { return hwnd_; }
  void Wake();
  // True while the thread has not started answering (neither woken nor timed out).
  bool Blocked() const;

 private:
  static DWORD WINAPI Thread(void* self);
  HWND hwnd_ = nullptr;
  HANDLE thread_ = nullptr, created_ = nullptr, wake_ = nullptr, awake_ = nullptr;
  int x_, y_, w_, h_;
  bool blocked_;
  std::string title_;
  bool minimised_;
};

// Another process (korvi_window_owner.exe, beside the test program) owning one window
// per rectangle; blocked like ThreadWindow until Wake(). Ended with the object.
class OwnerProcess {
 public:
  OwnerProcess(const std::vector<RECT>& windows, bool blocked);
  ~OwnerProcess();
  OwnerProcess(const OwnerProcess&) = delete;
  bool Started() const { return windows_.size() == count_; }
  HWND Window(size_t i) const { return i < windows_.size() ? windows_[i] : nullptr; }
  void Wake();
  bool Blocked() const;

 private:
  std::string tag_;
  size_t count_;
  std::vector<HWND> windows_;
  PROCESS_INFORMATION process_{};
  HANDLE ready_ = nullptr, wake_ = nullptr, awake_ = nullptr, quit_ = nullptr;
};

// A folder of its own for the test run (under %TEMP%), created on first use.
std::string TempDir();
// Writes a valid 8 x 8 24-bit bitmap file.
void WriteSmallBitmap(const std::string& path);
// Whole files by UTF-8 path.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

}  // namespace korvi::test

#include "platform/Shell.h"

namespace korvi::test {

// Records what the logic asks of the shell instead of showing message boxes.
class FakeShellRecorder : public Shell {
 public:
  void SetWallpaper(const std::string& file) override { Wallpapers.push_back(file); }
  void ShowError(const std::string& text) override { Errors.push_back(text); }
  std::vector<std::string> Wallpapers, Errors;
};

}  // namespace korvi::test
