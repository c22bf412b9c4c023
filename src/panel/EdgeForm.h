#pragma once
#include <cstdint>

namespace korvi {

// Docking component of the pager window: keeps the panel at one screen edge, hides
// it to a thin strip and slides it back. Only the settings-facing properties exist
// so far; docking, drags and the auto-hide timer build on them.
class TEdgeForm {
 public:
  bool AutoFull() const { return autoFull_; }
  void SetAutoFull(bool v) { autoFull_ = v; }
  bool AutoMove() const { return autoMove_; }
  void SetAutoMove(bool v) { autoMove_ = v; }
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v) { smooth_ = v; }
  int32_t Interval() const { return interval_; }
  void SetInterval(int32_t v) { interval_ = v > 0 ? v : 0; }

  // Panel thickness in pixels; a value of 0 or less is ignored.
  int32_t Size() const { return isBig_ ? expanded_ : strip_; }
  void SetSize(int32_t v) {
    if (v <= 0) return;
    (isBig_ ? expanded_ : strip_) = v;
  }

  bool Freeze() const { return freeze_; }
  // Setting Freeze (to either value) expands a collapsed panel at once.
  void SetFreeze(bool v) {
    freeze_ = v;
    SetIsBig(true);
  }
  bool IsBig() const { return isBig_; }
  void SetIsBig(bool v) { isBig_ = v; }

 private:
  bool autoFull_ = true, autoMove_ = true, smooth_ = true, freeze_ = false, isBig_ = true;
  int32_t interval_ = 1000;
  int32_t expanded_ = 100, strip_ = 3;
};

}  // namespace korvi
