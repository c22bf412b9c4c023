#include "buttons/ShortCut.h"

#include <algorithm>
#include <array>

namespace korvi {

std::optional<int32_t> ShellLinkShowCommand(Bytes file) {
  constexpr uint32_t kHeaderSize = 0x4C;
  // CLSID_ShellLink {00021401-0000-0000-C000-000000000046} as stored in the file.
  static constexpr std::array<uint8_t, 16> kClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
  if (file.size() < kHeaderSize || *ReadU32(file, 0) != kHeaderSize) return std::nullopt;
  if (!std::equal(kClsid.begin(), kClsid.end(), file.begin() + 4)) return std::nullopt;
  const uint32_t show = *ReadU32(file, 0x3C);
  if (show == 3 || show == 7) return static_cast<int32_t>(show);
  return 1;
}

}  // namespace korvi
