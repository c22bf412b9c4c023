#pragma once
#include <cstdint>
#include <string>

#include "platform/Colors.h"

namespace korvi {

// A font as the panel describes it: face, colour, point size, style, character set.
struct TFont {
  std::string Name = "Arial";
  TColor Color = clWindowText;
  int32_t Size = 8;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t Charset = 0;  // ANSI_CHARSET
  uint8_t Pitch = 0;    // DEFAULT_PITCH

  bool operator==(const TFont&) const = default;
};

}  // namespace korvi
