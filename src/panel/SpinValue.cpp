#include "panel/SpinValue.h"

#include "panel/IntegerText.h"

namespace korvi {

int32_t SpinValue(const SpinEditState& spin) {
  int32_t v = StrToIntDef(spin.Text, spin.MinValue);
  if (v < spin.MinValue) v = spin.MinValue;
  if (v > spin.MaxValue) v = spin.MaxValue;
  return v;
}

}  // namespace korvi
