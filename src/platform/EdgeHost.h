#pragma once
#include <cstdint>

#include "platform/Geometry.h"

namespace korvi {

// The mouse cursors the docking component shows over its form.
enum class EdgeCursor : uint8_t {
  Default,  // the system arrow (over a collapsed strip)
  Saved,    // the form's own cursor as it was when the component was attached
  SizeWE,   // west-east sizing arrow: over the inner side of a left or right panel
  SizeNS,   // north-south sizing arrow: over the inner side of a top or bottom panel
  Move,     // "move" / drag cursor: over the two short ends (re-dock)
};

// What the docking component asks of the window it serves, beyond its geometry
// (which goes through DockedWindow). The Win32 view implements it.
class EdgeHost {
 public:
  virtual ~EdgeHost() = default;

  // Takes away caption bar and frame.
  virtual void RemoveBorder() = 0;
  // Width of the window's border in pixels (0 for a borderless panel).
  virtual int32_t BorderWidth() = 0;

  virtual bool IsStayOnTop() = 0;
  // Brings the window to the foreground (SetForegroundWindow).
  virtual void BringToForeground() = 0;

  virtual void SetCursor(EdgeCursor cursor) = 0;

  // Collapsing: moves every child control except the first in the form's control
  // order into a hidden holding panel, keeping their positions, so they vanish.
  virtual void HoldChildren() = 0;
  // Expanding: moves every held control back onto the form at its old position.
  virtual void ReleaseChildren() = 0;

  // Runs the auto-hide timer every `periodMs` milliseconds (TimerTick); 0 stops it.
  virtual void SetTimer(int32_t periodMs) = 0;
};

// The inverted drag outline drawn straight on the screen (a screen device context).
// Drawing the same rectangle twice erases it.
class ScreenOutline {
 public:
  virtual ~ScreenOutline() = default;
  // Takes the screen context at the start of an edge drag.
  virtual void Begin() = 0;
  // Inverts the outline of `r` (DrawFocusRect), in screen coordinates.
  virtual void DrawFocusRect(const Rect& r) = 0;
  // Releases the screen context at the end of the drag.
  virtual void End() = 0;
};

}  // namespace korvi
