#pragma once
#include <windows.h>

#include "platform/Font.h"

namespace korvi {

// GDI fonts for the panel's font descriptions, made once and kept for the run:
// buttons are drawn every second, and a handful of distinct fonts is the norm.
class FontCache {
 public:
  static HFONT Get(const TFont& font);
};

}  // namespace korvi
