#pragma once
#include <windows.h>

#include <string>

#include "platform/Geometry.h"

namespace korvi {

// The pager's tooltip: one tool covering the pager window, whose rectangle and
// text follow the hot button's hint. The pager relays its mouse moves to it.
class PagerTooltip {
 public:
  // Made once the pager window exists; `owner` owns the tip window.
  void Create(HINSTANCE instance, HWND owner, HWND pager);
  // The hint shown over `r` (client coordinates of the pager); an empty text
  // shows none.
  void Show(const std::string& text, const Rect& r);
  // A mouse move of the pager window, so that the tip knows when to show.
  void Relay(WPARAM wp, LPARAM lp);
  HWND Window() const { return tip_; }

 private:
  HWND tip_ = nullptr;
  HWND pager_ = nullptr;
  std::string text_;
  Rect area_;
};

}  // namespace korvi
