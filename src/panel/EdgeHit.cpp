#include "panel/EdgeHit.h"

#include <cstdlib>

#include "panel/Docking.h"

namespace korvi {

uint8_t EdgeHit(int32_t x, int32_t y, int32_t width, int32_t height) {
  // 64-bit distances: hostile coordinates must not overflow.
  const int64_t dist[4] = {std::llabs(int64_t{x}), std::llabs(int64_t{width} - x), std::llabs(int64_t{y}),
                           std::llabs(int64_t{height} - y)};
  const uint8_t side[4] = {edge::Left, edge::Right, edge::Top, edge::Bottom};
  int64_t best = 5000;
  uint8_t result = edge::None;
  for (int i = 0; i < 4; ++i) {
    if (dist[i] < best) {
      best = dist[i];
      result = side[i];
    }
  }
  return best > 10 ? edge::None : result;
}

DragMode DragModeFor(uint8_t dockEdge, uint8_t hit) {
  const bool hitHorizontalSide = hit == edge::Top || hit == edge::Bottom;
  const bool hitVerticalSide = hit == edge::Left || hit == edge::Right;
  switch (dockEdge) {
    case edge::Left:
      if (hit == edge::Right) return DragMode::MoveRight;
      return hitHorizontalSide ? DragMode::Redock : DragMode::None;
    case edge::Right:
      if (hit == edge::Left) return DragMode::MoveLeft;
      return hitHorizontalSide ? DragMode::Redock : DragMode::None;
    case edge::Top:
      if (hit == edge::Bottom) return DragMode::MoveBottom;
      return hitVerticalSide ? DragMode::Redock : DragMode::None;
    case edge::Bottom:
      if (hit == edge::Top) return DragMode::MoveTop;
      return hitVerticalSide ? DragMode::Redock : DragMode::None;
    default: return DragMode::None;
  }
}

int32_t NextSlideStep(int32_t current, int32_t target) {
  if (current < target) return target - current == 1 ? current + 1 : current + 2;
  if (current > target) return current - target == 1 ? current - 1 : current - 2;
  return current;
}

}  // namespace korvi
