#pragma once
#include <windows.h>

#include <functional>

namespace korvi {

// Draws into a device context; `dirty` is the part that must be drawn, in the
// context's logical coordinates (the window's client coordinates).
using DrawFunction = std::function<void(HDC dc, const RECT& dirty)>;

// Answers WM_PAINT: draws the part to be painted straight onto the window.
void PaintWindow(HWND window, const DrawFunction& draw);
// Answers WM_PAINT without flicker: draws the part to be painted off screen, then copies it.
void PaintWindowBuffered(HWND window, const DrawFunction& draw);
// Draws `dirty` of `target` through an off-screen bitmap of that size, whose logical
// coordinates are the target's; nothing outside `dirty` changes.
void DrawBuffered(HDC target, const RECT& dirty, const DrawFunction& draw);

}  // namespace korvi
