#pragma once
#include <ostream>

#include "platform/Geometry.h"

namespace korvi {

// Readable failure messages: (left,top)-(right,bottom).
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.Left << "," << r.Top << ")-(" << r.Right << "," << r.Bottom << ")";
}
inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.X << "," << p.Y << ")"; }

}  // namespace korvi
