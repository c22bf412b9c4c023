#pragma once
#include <cstdint>

namespace korvi {

// Modifier keys and mouse buttons held during an input event, as a bit set.
// A plain left press is exactly ssLeft; a double click adds ssDouble.
using ShiftState = uint8_t;
constexpr ShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;

enum class MouseButton : uint8_t { Left, Right, Middle };

}  // namespace korvi
