#pragma once
// Runs the real Korvi8.exe from a folder of its own and drives it like a user.
#include <windows.h>

#include <string>
#include <vector>

namespace korvi::e2e {

class PagerSession {
 public:
  // Makes a fresh folder holding a copy of Korvi8.exe (and the files shipped beside
  // it); `ini` is written as its Korvi8.ini unless it is null.
  explicit PagerSession(const char* ini);
  ~PagerSession();

  // Starts the program and waits for its pager window; false when it did not show.
  bool Start();
  // Ends the program the hard way (as a logout would), without a final save.
  void Kill();
  // Asks the pager window to close.
  void Close();
  bool Running();

  HWND Pager() const { return pager_; }
  const std::string& Folder() const { return folder_; }
  std::string IniPath() const { return folder_ + "\\Korvi8.ini"; }
  std::string ReadIni() const;

  // Clicks with the left button at a point in the pager's client area, through the
  // system's input queue (as a user's mouse would).
  void ClickClient(int x, int y);
  // Moves the mouse to a screen point.
  static void MoveMouse(int x, int y);
  // Clicks with the left (or right) button at a screen point.
  static void ClickScreen(int x, int y, bool right = false);
  RECT PagerRect() const;

 private:
  std::string folder_;
  PROCESS_INFORMATION process_{};
  HWND pager_ = nullptr;

 public:
  // Start with the mouse where it is (the default parks it in the upper screen first).
  bool keepMouse_ = false;
};

// Folder of the running test program.
std::string ProgramFolder();
// Saves the whole screen as a 24-bit BMP in the screenshot folder (KORVI_SCREENSHOT_DIR
// or the temp folder); returns the path.
std::string SaveScreenshot(const std::string& name);
// Colour of one screen pixel.
COLORREF ScreenPixel(int x, int y);
// Colours of the screen pixels in `area` (screen coordinates), row by row from the top.
std::vector<COLORREF> ScreenPixels(const RECT& area);

}  // namespace korvi::e2e
