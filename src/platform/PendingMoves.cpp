#include "platform/PendingMoves.h"

#include <algorithm>

namespace korvi {

namespace {
void AddPlace(std::vector<Rect>& places, const Rect& r) {
  if (std::find(places.begin(), places.end(), r) == places.end()) places.push_back(r);
}
bool Has(const std::vector<Rect>& places, const Rect& r) {
  return std::find(places.begin(), places.end(), r) != places.end();
}
}  // namespace

void PendingMoves::Asked(WindowHandle window, const Rect& actual, const Rect& target) {
  auto it = moves_.find(window);
  if (it == moves_.end()) {
    if (actual == target) return;  // a move by nothing leaves nothing to wait for
    moves_[window] = {{actual}, target};
    return;
  }
  Pending& p = it->second;
  if (p.Target == target) return;
  // The earlier target is still queued ahead of this one, and the window may be
  // anywhere on its way so far.
  AddPlace(p.Passed, p.Target);
  AddPlace(p.Passed, actual);
  p.Target = target;
}

Rect PendingMoves::Reported(WindowHandle window, const Rect& actual) {
  auto it = moves_.find(window);
  if (it == moves_.end()) return actual;
  const Pending& p = it->second;
  const bool onItsWay = Has(p.Passed, actual);
  if (actual == p.Target) {
    // At the target: done, unless the target is also a place it passes through
    // (moved away and back while busy), when it may still have moves queued.
    if (!onItsWay) moves_.erase(it);
    return actual;
  }
  if (onItsWay) return p.Target;
  moves_.erase(it);  // moved elsewhere by its program or the user
  return actual;
}

void PendingMoves::KeepOnly(const std::unordered_set<WindowHandle>& alive) {
  for (auto it = moves_.begin(); it != moves_.end();) it = alive.count(it->first) ? std::next(it) : moves_.erase(it);
}

}  // namespace korvi
