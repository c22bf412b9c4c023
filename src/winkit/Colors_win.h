#pragma once
#include <windows.h>

#include "platform/Colors.h"

namespace korvi {

// The Windows colour of a panel colour, a system colour resolved now.
inline COLORREF ColorRefOf(TColor c) {
  if (IsSystemColor(c)) return ::GetSysColor(static_cast<int>(static_cast<uint32_t>(c) & 0xFF));
  return static_cast<COLORREF>(c) & 0xFFFFFF;
}

}  // namespace korvi
