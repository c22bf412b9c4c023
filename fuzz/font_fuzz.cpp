// The font description decoder over arbitrary text: whatever it decodes must
// encode to a string that decodes to the same font.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "panel/FontText.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(bytes), size);
  korvi::TFont scratch;
  korvi::TFont decoded = korvi::StrToFont(scratch, text);
  std::string encoded = korvi::FontToStr(&decoded);
  korvi::TFont fresh;
  Check(korvi::StrToFont(fresh, encoded) == decoded);
  Check(korvi::FontToStr(nullptr).empty());
  return 0;
}
