#pragma once
#include "platform/Geometry.h"

namespace korvi {

// The real window behind a form's logic: what the logic reads of it and asks of it.
// The Win32 view implements it; tests use a recording fake.
class FormHost {
 public:
  virtual ~FormHost() = default;
  // Screen rectangle of the window.
  virtual Rect Bounds() = 0;
  virtual void SetBounds(const Rect& r) = 0;
  virtual void SetStayOnTop(bool onTop) = 0;
  // Draw the window again (background colour or buttons changed).
  virtual void Repaint() = 0;
};

}  // namespace korvi
