#pragma once
#include <cstdint>
#include <string>

namespace korvi {

// What the number fields of the button dialog hold: the typed text and the
// allowed range.
struct SpinEditState {
  std::string Text;
  int32_t MinValue = 0;
  int32_t MaxValue = 0;
};

// The field's value: its text read as an integer (the settings file's integer
// rule), or MinValue when the text is no integer; then raised to MinValue and
// lowered to MaxValue, in that order (so MaxValue wins when the range is empty).
int32_t SpinValue(const SpinEditState& spin);

}  // namespace korvi
