// libFuzzer: the header checks for BMP, icon, cursor, EMF and WMF files over any bytes.
// A file they pass must never claim more pixels than the limit.
#include <cstddef>
#include <cstdint>

#include "buttons/PictureCheck.h"
#include "buttons/ShortCut.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const korvi::Bytes b{data, size};
  auto within = [](const std::optional<korvi::PictureSize>& s) {
    if (s && (s->width <= 0 || s->height <= 0 ||
              static_cast<int64_t>(s->width) * s->height > korvi::kMaxPicturePixels))
      __builtin_trap();
  };
  within(korvi::CheckBmp(b));
  within(korvi::CheckEmf(b, 96));
  within(korvi::CheckPlaceableWmf(b, 96));
  korvi::CheckIconFile(b, korvi::IconFileType::Icon);
  korvi::CheckIconFile(b, korvi::IconFileType::Cursor);
  korvi::ShellLinkShowCommand(b);
  return 0;
}
