#include "panel/EdgeForm.h"

#include <algorithm>

namespace korvi {

namespace {
int attachCount = 0;  // process-wide: numbers the components' names
}

void TEdgeForm::Attach(DockedWindow& window, EdgeHost& host, ScreenOutline& outline, WindowSystem& screen,
                       FormHandlers own) {
  number_ = ++attachCount;
  name_ = "EdgeForm" + std::to_string(number_);
  window_ = &window;
  host_ = &host;
  outline_ = &outline;
  screen_ = &screen;

  host.RemoveBorder();
  if (IsDockEdge(window.Edge()))
    window.Refit();
  else
    window.SetEdge(edge::Bottom);
  own_ = std::move(own);

  isBig_ = true;
  freeze_ = false;
  expanded_ = window.Thickness();
  strip_ = 2 * host.BorderWidth() + 3;
  autoFull_ = autoMove_ = smooth_ = true;
  active_ = true;
  sizeHooksOff_ = false;
  dragging_ = false;
  dragStart_ = lastMouse_ = {};
  startRect_ = dragRect_ = {};
  mode_ = DragMode::None;
  target_ = edge::None;
  outlineTaken_ = outlineShown_ = false;
  hostPeriod_ = -1;
  SetInterval(1000);
}

std::string TEdgeForm::PanelName() const { return "EdgeFormPanel" + std::to_string(number_); }
std::string TEdgeForm::TimerName() const { return "EdgeFormTimer" + std::to_string(number_); }

// --- Properties ------------------------------------------------------------------

void TEdgeForm::SetInterval(int32_t v) {
  interval_ = v > 0 ? v : 0;
  SyncTimer();
}

void TEdgeForm::SetAutoFull(bool v) {
  autoFull_ = v;
  SyncTimer();
}

void TEdgeForm::SyncTimer() {
  // Collapsed, or with auto-hide off, a tick would find nothing to do: the panel comes
  // out on contact, not on the timer.
  const int32_t wanted = window_ && isBig_ && autoFull_ ? interval_ : 0;
  if (!host_ || wanted == hostPeriod_) return;
  hostPeriod_ = wanted;
  host_->SetTimer(wanted);
}

int32_t TEdgeForm::Size() const {
  if (window_) return window_->Thickness();
  return isBig_ ? expanded_ : strip_;
}

void TEdgeForm::SetSize(int32_t v) {
  if (v <= 0) return;
  (isBig_ ? expanded_ : strip_) = v;
  if (window_) SlideTo(v);
}

void TEdgeForm::SetFreeze(bool v) {
  freeze_ = v;
  const bool smooth = smooth_;
  smooth_ = false;
  SetIsBig(true);
  smooth_ = smooth;
}

void TEdgeForm::SetIsBig(bool v) {
  if (v == isBig_) return;
  if (!window_) {
    isBig_ = v;
    return;
  }
  // The intermediate sizes of the slide must neither overwrite the expanded
  // thickness (resize hook) nor reach the form's own resize and paint handlers.
  sizeHooksOff_ = true;
  isBig_ = v;
  if (v) {
    SlideTo(expanded_);
    host_->ReleaseChildren();
    if (host_->IsStayOnTop()) host_->BringToForeground();
  } else {
    host_->HoldChildren();
    SlideTo(strip_);
  }
  UpdateEdgeCursor();
  sizeHooksOff_ = false;
  SyncTimer();
  OnResize();
  OnPaint();
}

void TEdgeForm::SlideTo(int32_t target) {
  target = std::max(target, 0);
  if (!smooth_) {
    window_->SetThickness(target);
    return;
  }
  // Counted here rather than re-read from the window, so a window that refuses a
  // size cannot keep the loop from ending.
  for (int32_t cur = window_->Thickness(); cur != target;) {
    cur = NextSlideStep(cur, target);
    window_->SetThickness(cur);
  }
}

// --- Hooks -------------------------------------------------------------------------

void TEdgeForm::ExpandOnContact() {
  if (!isBig_ && autoFull_) SetIsBig(true);
}

bool TEdgeForm::OnClick() {
  Touch();
  if (dragging_) EndEdgeDrag();
  ExpandOnContact();
  dragging_ = false;
  if (own_.OnClick) own_.OnClick();
  return true;
}

bool TEdgeForm::OnDblClick() {
  Touch();
  ExpandOnContact();
  StopDragging();
  if (own_.OnDblClick) own_.OnDblClick();
  return true;
}

bool TEdgeForm::OnKeyDown(uint16_t key, ShiftState shift) {
  Touch();
  ExpandOnContact();
  StopDragging();
  if (own_.OnKeyDown) own_.OnKeyDown(key, shift);
  return true;
}

bool TEdgeForm::OnKeyPress(char key) {
  Touch();
  ExpandOnContact();
  StopDragging();
  if (own_.OnKeyPress) own_.OnKeyPress(key);
  return true;
}

bool TEdgeForm::OnKeyUp(uint16_t key, ShiftState shift) {
  Touch();
  ExpandOnContact();
  StopDragging();
  if (own_.OnKeyUp) own_.OnKeyUp(key, shift);
  return true;
}

bool TEdgeForm::OnMouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y) {
  Touch();
  if (!isBig_) {
    ExpandOnContact();
    StopDragging();
    return false;
  }
  // A plain left press belongs to the panel's edges, whether or not it hits one.
  if (shift == ssLeft) {
    dragging_ = true;
    dragStart_ = {x, y};
    BeginEdgeDrag();
    return false;
  }
  StopDragging();
  if (own_.OnMouseDown) own_.OnMouseDown(button, shift, x, y);
  return true;
}

bool TEdgeForm::OnMouseMove(ShiftState shift, int32_t x, int32_t y) {
  Touch();
  lastMouse_ = {x, y};
  if (!isBig_) {
    ExpandOnContact();
    StopDragging();
    return false;
  }
  if (dragging_) {
    TrackEdgeDrag();
    return false;
  }
  UpdateEdgeCursor();
  if (own_.OnMouseMove) own_.OnMouseMove(shift, x, y);
  return true;
}

bool TEdgeForm::OnMouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y) {
  Touch();
  if (dragging_) {
    EndEdgeDrag();
    dragging_ = false;
    return false;
  }
  if (!isBig_) {
    ExpandOnContact();
    return false;
  }
  if (own_.OnMouseUp) own_.OnMouseUp(button, shift, x, y);
  return true;
}

bool TEdgeForm::OnPaint() {
  if (sizeHooksOff_) return false;
  if (own_.OnPaint) own_.OnPaint();
  return true;
}

bool TEdgeForm::OnResize() {
  if (sizeHooksOff_) return false;
  Touch();
  if (isBig_ && window_) expanded_ = window_->Thickness();
  if (own_.OnResize) own_.OnResize();
  return true;
}

// --- Edge drags --------------------------------------------------------------------

void TEdgeForm::BeginEdgeDrag() {
  mode_ = DragMode::None;
  target_ = edge::None;
  if (!window_) {
    dragging_ = false;
    return;
  }
  const Rect r = window_->Bounds();
  mode_ = DragModeFor(window_->Edge(), EdgeHit(dragStart_.X, dragStart_.Y, r.Width(), r.Height()));
  if (mode_ == DragMode::None) {
    dragging_ = false;
    return;
  }
  outline_->Begin();
  outlineTaken_ = true;
  outlineShown_ = false;
  startRect_ = dragRect_ = r;
}

void TEdgeForm::TrackEdgeDrag() {
  if (!outlineTaken_) return;
  if (outlineShown_) {
    outline_->DrawFocusRect(dragRect_);
    outlineShown_ = false;
  }
  const int32_t dx = lastMouse_.X - dragStart_.X;
  const int32_t dy = lastMouse_.Y - dragStart_.Y;
  // A resize never turns the panel inside out nor pushes its inner side off the
  // work area, where it could not be grabbed again.
  const Rect work = screen_->WorkArea();
  auto limit = [&](int32_t t, int32_t most) { return std::max(std::min(t, most), strip_); };
  switch (mode_) {
    case DragMode::MoveLeft:
      dragRect_.Left = startRect_.Right - limit(startRect_.Right - (startRect_.Left + dx), work.Width());
      break;
    case DragMode::MoveRight:
      dragRect_.Right = startRect_.Left + limit(startRect_.Right + dx - startRect_.Left, work.Width());
      break;
    case DragMode::MoveTop:
      dragRect_.Top = startRect_.Bottom - limit(startRect_.Bottom - (startRect_.Top + dy), work.Height());
      break;
    case DragMode::MoveBottom:
      dragRect_.Bottom = startRect_.Top + limit(startRect_.Bottom + dy - startRect_.Top, work.Height());
      break;
    case DragMode::Redock: {
      // Against the whole screen, not the work area: the taskbar side counts too.
      const Rect now = window_->Bounds();
      const int32_t w = screen_->ScreenWidth(), h = screen_->ScreenHeight(), t = expanded_;
      target_ = EdgeHit(now.Left + lastMouse_.X, now.Top + lastMouse_.Y, w, h);
      switch (target_) {
        case edge::Left: dragRect_ = {0, 0, t, h}; break;
        case edge::Right: dragRect_ = {w - t, 0, w, h}; break;
        case edge::Top: dragRect_ = {0, 0, w, t}; break;
        case edge::Bottom: dragRect_ = {0, h - t, w, h}; break;
        default: dragRect_ = startRect_; break;
      }
      break;
    }
    case DragMode::None: break;
  }
  outline_->DrawFocusRect(dragRect_);
  outlineShown_ = true;
}

void TEdgeForm::DropOutline() {
  if (outlineShown_) {
    outline_->DrawFocusRect(dragRect_);
    outlineShown_ = false;
  }
  if (outlineTaken_) {
    outline_->End();
    outlineTaken_ = false;
  }
}

void TEdgeForm::CancelEdgeDrag() {
  DropOutline();
  mode_ = DragMode::None;
  target_ = edge::None;
  dragging_ = false;  // the timer ticks again
}

void TEdgeForm::WorkAreaChanged() {
  CancelEdgeDrag();
  if (window_) window_->Refit();
}

void TEdgeForm::StopDragging() {
  if (dragging_) CancelEdgeDrag();
  dragging_ = false;
}

void TEdgeForm::EndEdgeDrag() {
  DropOutline();
  if (window_ && mode_ != DragMode::None) {
    switch (mode_) {
      case DragMode::MoveTop:
      case DragMode::MoveBottom: expanded_ = dragRect_.Height(); break;
      case DragMode::MoveLeft:
      case DragMode::MoveRight: expanded_ = dragRect_.Width(); break;
      case DragMode::Redock:
        if (target_ != edge::None) window_->SetEdge(target_);
        break;
      case DragMode::None: break;
    }
    window_->SetBounds(dragRect_);
  }
  mode_ = DragMode::None;
  dragging_ = false;
}

void TEdgeForm::UpdateEdgeCursor() {
  if (!host_) return;
  EdgeCursor c = EdgeCursor::Saved;
  if (!isBig_) {
    c = EdgeCursor::Default;
  } else if (autoMove_) {
    const Rect r = window_->Bounds();
    switch (DragModeFor(window_->Edge(), EdgeHit(lastMouse_.X, lastMouse_.Y, r.Width(), r.Height()))) {
      case DragMode::MoveLeft:
      case DragMode::MoveRight: c = EdgeCursor::SizeWE; break;
      case DragMode::MoveTop:
      case DragMode::MoveBottom: c = EdgeCursor::SizeNS; break;
      case DragMode::Redock: c = EdgeCursor::Move; break;
      case DragMode::None: break;
    }
  }
  host_->SetCursor(c);
}

// --- Auto-hide ---------------------------------------------------------------------

void TEdgeForm::TimerTick() {
  if (!window_ || !TimerRunning()) return;
  if (!isBig_ || !autoFull_ || dragging_) return;
  if (!active_) {
    // Both ends inclusive: the column just right of and the row just below the
    // form count as inside.
    const Point p = screen_->CursorPos();
    const Rect r = window_->Bounds();
    if (r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom) active_ = true;
  }
  if (!active_ && !freeze_) SetIsBig(false);
  active_ = false;
}

}  // namespace korvi
