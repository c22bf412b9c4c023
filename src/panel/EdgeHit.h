#pragma once
#include <cstdint>

namespace korvi {

// Which side of the rectangle (0,0)-(width,height) the point is within 10 pixels of:
// an edge code, 0 for none. At a corner left or right wins over top or bottom.
uint8_t EdgeHit(int32_t x, int32_t y, int32_t width, int32_t height);

// What a left-button drag from the side `hit` of a panel docked to `dockEdge` does.
enum class DragMode : uint8_t {
  None = 0,
  MoveTop = 1,     // new thickness of a bottom panel
  MoveBottom = 2,  // new thickness of a top panel
  MoveLeft = 3,    // new thickness of a right panel
  MoveRight = 4,   // new thickness of a left panel
  Redock = 5,      // one of the two short ends: move to another screen edge
};
// The inner side resizes the panel, its two short ends re-dock it; nothing else drags.
DragMode DragModeFor(uint8_t dockEdge, uint8_t hit);

// One step of a smooth slide from `current` towards `target`: 2 pixels, or 1 when
// only 1 is missing. Returns `current` when it has arrived.
int32_t NextSlideStep(int32_t current, int32_t target);

}  // namespace korvi
