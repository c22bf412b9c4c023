#pragma once
// Runs the real Korvi8.exe from a folder of its own and drives it like a user.
#include <windows.h>

#include <string>
#include <vector>

namespace korvi::e2e {

class PagerSession {
 public:
  // Makes a fresh folder holding a copy of Korvi8.exe (and the files shipped beside
  // it); `ini` is written as its Korvi8.ini unless it is null. `name` (UTF-8) ends the
  // folder's name.
  explicit PagerSession(const char* ini, const std::string& name = "");
  // Runs the Korvi8.exe that lies in `folder` as it is, with only what lies beside it.
  struct InPlace {};
  PagerSession(InPlace, std::string folder);
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
  // Moves the mouse to a screen point and waits until the pointer is there.
  static void MoveMouse(int x, int y);
  // Presses (or releases) the left or right button at a screen point. A press near the
  // last one within the double-click time waits that time out first: two presses at one
  // spot make a double click only where a test means one.
  static void MouseButton(int x, int y, bool down, bool right = false);
  // Clicks with the left (or right) button at a screen point, then waits until the
  // program under the point has taken the input (Settle).
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

// Waits until the program owning `window` (or the window at a screen point) has nothing
// left in its input queue, and this program's own queue is empty.
void Settle(HWND window);
void SettleAt(int x, int y);
// Takes the wallpaper off the desktop for the session, as the pager sets one.
void RemoveWallpaper();
// Takes the wallpaper off the desktop when it goes, however the test ends.
struct NoWallpaperAfter {
  ~NoWallpaperAfter() { RemoveWallpaper(); }
};
// Folder of the running test program.
std::string ProgramFolder();
// Saves the whole screen as a 24-bit BMP in the screenshot folder (KORVI_SCREENSHOT_DIR
// or the temp folder); returns the path.
std::string SaveScreenshot(const std::string& name);
// What the input system holds for the thread of `window` and at a screen point: for the
// message of a failed expectation about input.
std::string InputState(HWND window, POINT at);
// Colour of one screen pixel.
COLORREF ScreenPixel(int x, int y);
// Colours of the screen pixels in `area` (screen coordinates), row by row from the top.
std::vector<COLORREF> ScreenPixels(const RECT& area);

}  // namespace korvi::e2e
