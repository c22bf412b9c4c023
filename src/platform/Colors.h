#pragma once
#include <cstdint>

namespace korvi {

// A colour: 0x00BBGGRR, or 0x80000000 plus a Windows system-colour index.
using TColor = int32_t;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
constexpr bool IsSystemColor(TColor c) { return (static_cast<uint32_t>(c) & 0x80000000u) != 0; }

constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clBlack = 0x000000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clGray = 0x808080;

}  // namespace korvi
