#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "panel/Docking.h"
#include "panel/EdgeHit.h"
#include "platform/EdgeHost.h"
#include "platform/Geometry.h"
#include "platform/Input.h"
#include "platform/WindowSystem.h"

namespace korvi {

// The form's own event handlers that the docking component hooks in front of.
// Any of them may be empty.
struct FormHandlers {
  std::function<void()> OnClick, OnDblClick;
  std::function<void(uint16_t key, ShiftState shift)> OnKeyDown, OnKeyUp;
  std::function<void(char key)> OnKeyPress;
  std::function<void(MouseButton button, ShiftState shift, int32_t x, int32_t y)> OnMouseDown, OnMouseUp;
  std::function<void(ShiftState shift, int32_t x, int32_t y)> OnMouseMove;
  std::function<void()> OnPaint, OnResize;
};

// Docking component of the pager window: keeps the panel at one screen edge, lets
// the user resize it from its inner side and move it to another edge from its short
// ends, hides it to a thin strip once the mouse has left and slides it back.
//
// Until Attach the properties are plain stored values (the settings can be read
// into it). After Attach the window view feeds it one call per message: the ten
// hooks below, TimerTick for the timer it was asked to run (EdgeHost::SetTimer).
// Mouse coordinates are client coordinates; the view keeps the mouse captured
// between a button press and its release so a drag keeps reporting moves outside
// the window, and reports the click that follows a left release with OnClick.
class TEdgeForm {
 public:
  TEdgeForm() = default;
  TEdgeForm(const TEdgeForm&) = delete;
  TEdgeForm& operator=(const TEdgeForm&) = delete;

  // Takes over the form: no border, docked (to the bottom unless it has an edge
  // 1..4), timer at 1000 ms, the form's handlers saved, every property at its
  // attach value (AutoFull, AutoMove, Smooth true; Freeze false; expanded).
  void Attach(DockedWindow& window, EdgeHost& host, ScreenOutline& outline, WindowSystem& screen, FormHandlers own);
  bool Attached() const { return window_ != nullptr; }
  // "EdgeForm" + n, "EdgeFormPanel" + n, "EdgeFormTimer" + n; n counts attaches in the process.
  const std::string& Name() const { return name_; }
  std::string PanelName() const;
  std::string TimerName() const;

  // --- Properties ----------------------------------------------------------------
  bool AutoFull() const { return autoFull_; }
  void SetAutoFull(bool v);
  // Show the resize and re-dock cursors over the edge zones (the drags work regardless).
  bool AutoMove() const { return autoMove_; }
  void SetAutoMove(bool v) { autoMove_ = v; }
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v) { smooth_ = v; }

  // Auto-hide period in milliseconds; 0 or less stops the timer. The window's timer
  // runs only while a tick can collapse the panel: expanded, with auto-hide on.
  int32_t Interval() const { return interval_; }
  void SetInterval(int32_t v);
  bool TimerRunning() const { return interval_ > 0; }

  // Panel thickness in pixels. Writing sets the thickness to expand to (or, while
  // collapsed, of the strip) and slides there; a value of 0 or less is ignored.
  int32_t Size() const;
  void SetSize(int32_t v);

  // While on, the panel never collapses. Setting it (to either value) expands a
  // collapsed panel at once, without sliding.
  bool Freeze() const { return freeze_; }
  void SetFreeze(bool v);

  // Expanded (true) or collapsed to the strip (false); writing expands or collapses.
  bool IsBig() const { return isBig_; }
  void SetIsBig(bool v);

  // --- Hooks: the form's events come here first ---------------------------------
  // Each returns whether the event went on to the form's own handler.
  // Messages: WM_xBUTTONDOWN -> OnMouseDown (a WM_xBUTTONDBLCLK adds ssDouble and
  // is followed by OnDblClick), WM_MOUSEMOVE -> OnMouseMove, WM_xBUTTONUP ->
  // OnMouseUp, then OnClick for a left release inside the client area; WM_KEYDOWN,
  // WM_CHAR, WM_KEYUP -> OnKeyDown, OnKeyPress, OnKeyUp; WM_PAINT -> OnPaint (the
  // view still validates the window); WM_SIZE -> OnResize; WM_TIMER -> TimerTick.
  bool OnClick();
  bool OnDblClick();
  bool OnKeyDown(uint16_t key, ShiftState shift);
  bool OnKeyPress(char key);
  bool OnKeyUp(uint16_t key, ShiftState shift);
  bool OnMouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y);
  bool OnMouseMove(ShiftState shift, int32_t x, int32_t y);
  bool OnMouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y);
  bool OnPaint();
  bool OnResize();

  // The auto-hide timer: collapses once the mouse has left and nothing happened.
  void TimerTick();

  bool Dragging() const { return dragging_; }
  // Ends an edge drag without applying it: erases the outline, releases the screen
  // context and lets the auto-hide timer run again. The hooks call it for a key, a
  // double click or another press during a drag; the view calls it when the window
  // loses the mouse capture (another window, a menu, Alt+Tab, WM_CANCELMODE).
  void CancelEdgeDrag();
  // The screen's resolution or work area changed (taskbar moved or resized): the
  // panel goes back to its edge of the new work area at its present thickness,
  // expanded or collapsed. A drag measured against the old screen is cancelled.
  void WorkAreaChanged();

 private:
  void Touch() { active_ = true; }
  // "Not dragging": a drag still in progress is cancelled, not left half-done.
  void StopDragging();
  void DropOutline();
  void ExpandOnContact();
  void BeginEdgeDrag();
  void TrackEdgeDrag();
  void EndEdgeDrag();
  void UpdateEdgeCursor();
  void SlideTo(int32_t target);
  // Starts or stops the window's timer as the panel's state wants it.
  void SyncTimer();

  DockedWindow* window_ = nullptr;
  EdgeHost* host_ = nullptr;
  ScreenOutline* outline_ = nullptr;
  WindowSystem* screen_ = nullptr;
  FormHandlers own_;
  std::string name_;
  int number_ = 0;

  bool autoFull_ = true, autoMove_ = true, smooth_ = true, freeze_ = false, isBig_ = true;
  int32_t interval_ = 1000;
  int32_t hostPeriod_ = -1;  // the period the window's timer was last given
  int32_t expanded_ = 100, strip_ = 3;

  bool active_ = true;       // a hooked event since the last timer tick
  bool sizeHooksOff_ = false;  // resize and paint hooks detached while sliding
  bool dragging_ = false;
  Point dragStart_, lastMouse_;
  Rect startRect_, dragRect_;
  DragMode mode_ = DragMode::None;
  uint8_t target_ = edge::None;
  bool outlineTaken_ = false;  // the screen context is held
  bool outlineShown_ = false;
};

}  // namespace korvi
