// libFuzzer: the header checks for BMP, icon, cursor, EMF and WMF files over any bytes.
// A file they pass must never claim more pixels than the limit, and the image chosen of an
// icon or cursor file lies inside it.
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
  for (auto type : {korvi::IconFileType::Icon, korvi::IconFileType::Cursor}) {
    const auto image = korvi::ChooseIconImage(b, type, 32, 32);
    if (image && (image->Offset > size || image->Size > size - image->Offset)) __builtin_trap();
  }
  korvi::ShellLinkShowCommand(b);
  return 0;
}
