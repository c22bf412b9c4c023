#include "main/DDTransparent.h"

namespace korvi {

Rect TTransparentDialog::PickerBounds() {
  const int32_t w = windows_.ScreenWidth(), h = windows_.ScreenHeight();
  return {5, 5, 5 + (w - 10), 5 + (h - 10)};
}

void TTransparentDialog::FormCreate() {
  bounds_ = PickerBounds();
  if (host_) host_->SetBounds(bounds_);
  PickX = PickY = PickedEntry = 0;
}

int32_t TTransparentDialog::SelectWindow() {
  // A second pick from inside the nested loop (a timer, say) would stack a loop that
  // the first click ends; there is only one picker, so it declines instead.
  if (selecting_ || host_ == nullptr) return 0;
  selecting_ = true;
  bounds_ = PickerBounds();  // the screen may have changed since creation
  host_->SetBounds(bounds_);
  PickX = PickY = PickedEntry = 0;
  Picked = false;
  winList_.Load();  // the picker is still hidden, so it is not in the table
  host_->Show();
  while (!Picked)
    if (!host_->ProcessMessage()) {
      PickedEntry = 0;
      break;
    }
  host_->Hide();
  selecting_ = false;
  return PickedEntry;
}

void TTransparentDialog::FormMouseMove(int32_t x, int32_t y) {
  PickX = x + bounds_.Left;
  PickY = y + bounds_.Top;
}

void TTransparentDialog::FormClick() {
  PickedEntry = 0;
  const WindowHandle own = host_ ? host_->Handle() : 0;
  for (int i = 1; i <= kWinListSize && PickedEntry == 0; ++i) {
    const TWinData& e = winList_.Entry(i);
    if (e.Handle == 0) continue;
    // Edges count as inside on all four sides.
    if (e.Left <= PickX && PickX <= e.Right && e.Top <= PickY && PickY <= e.Bottom) {
      PickedEntry = i;
      if (e.Handle == own || e.Handle == winList_.RootWindow) PickedEntry = 0;
    }
  }
  Picked = true;
}

}  // namespace korvi
