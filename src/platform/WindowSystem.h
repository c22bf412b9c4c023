#pragma once
#include <cstdint>
#include <string>

#include "platform/Geometry.h"

namespace korvi {

// Opaque handle of a top-level window (an HWND on Windows). 0 means "no window".
using WindowHandle = std::uintptr_t;

// What the pager needs from the window manager: the list of top-level windows in
// Z-order, their state and rectangles, moving them, and the screen's size.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual WindowHandle DesktopWindow() = 0;
  // The topmost child of `parent` (top-level windows for the desktop window).
  virtual WindowHandle TopWindow(WindowHandle parent) = 0;
  // The window below `window` in Z-order; 0 at the end.
  virtual WindowHandle NextWindow(WindowHandle window) = 0;

  virtual bool IsWindow(WindowHandle window) = 0;
  virtual bool IsIconic(WindowHandle window) = 0;
  virtual bool IsWindowVisible(WindowHandle window) = 0;
  virtual Rect WindowRect(WindowHandle window) = 0;
  // The window text, at most 127 characters.
  virtual std::string WindowText(WindowHandle window) = 0;

  // Moves and sizes a window; never waits for the window's own thread, so a hung
  // program cannot stall the pager. The result is not reported.
  virtual void MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height) = 0;

  // Screen size in pixels, read afresh at every call.
  virtual int32_t ScreenWidth() = 0;
  virtual int32_t ScreenHeight() = 0;
  // The desktop work area (the screen less the taskbar).
  virtual Rect WorkArea() = 0;
  virtual Point CursorPos() = 0;
};

}  // namespace korvi
