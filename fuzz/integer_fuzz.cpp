// The integer rule of the settings file and the spin-edit value over arbitrary text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "panel/IntegerText.h"
#include "panel/SpinValue.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(bytes), size);
  std::optional<int32_t> v = korvi::ParseInteger(text);
  if (v) {
    // What is read can be written and read back as the same number, and the
    // written form is what a hexadecimal spelling of it reads as too.
    std::string written = korvi::IntToStr(*v);
    Check(korvi::ParseInteger(written) == v);
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%X", static_cast<unsigned>(*v));
    Check(korvi::ParseInteger(hex) == v);
  }
  Check(korvi::StrToIntDef(text, 12345) == v.value_or(12345));

  if (size >= 2) {
    korvi::SpinEditState spin{std::string(text.substr(2)), static_cast<int8_t>(bytes[0]), static_cast<int8_t>(bytes[1])};
    int32_t s = korvi::SpinValue(spin);
    if (spin.MinValue <= spin.MaxValue) Check(s >= spin.MinValue && s <= spin.MaxValue);
    else Check(s == spin.MaxValue);
  }
  return 0;
}
