#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/Picture.h"

namespace korvi {

// Header checks for the picture files that the operating system decodes for us
// (BMP, ICO, CUR, WMF, EMF). A file passes only when its headers agree with its
// length and its pixel count stays within kMaxPicturePixels, so a truncated or
// hostile file is refused before any decoder trusts its numbers.

using Bytes = std::span<const uint8_t>;

// Largest picture file read whole into memory.
constexpr std::size_t kMaxPictureFileBytes = 256u * 1024 * 1024;

struct PictureSize {
  int32_t width = 0, height = 0;
  bool operator==(const PictureSize&) const = default;
};

// A ".bmp" file: "BM", a known info header, a sane pixel format, and all pixel rows inside the
// file (for run-length data: the image size its header gives). Gives the picture's size.
std::optional<PictureSize> CheckBmp(Bytes file);

enum class IconFileType : uint16_t { Icon = 1, Cursor = 2 };
// A ".ico" or ".cur" file: a directory whose every image lies inside the file and is
// either a PNG or a bitmap whose colour and mask rows fit its declared length.
bool CheckIconFile(Bytes file, IconFileType type);

// A metafile's size in pixels at `dpi` dots per inch (rounded like MulDiv), or nothing
// when its header is not plausible:
// ".emf": the EMR_HEADER record with the " EMF" signature and a positive frame (0.01 mm);
// ".wmf": a placeable metafile (Aldus header) with a positive box and units per inch,
//         followed by a standard metafile header.
std::optional<PictureSize> CheckEmf(Bytes file, int dpi);
std::optional<PictureSize> CheckPlaceableWmf(Bytes file, int dpi);

// Little-endian field readers over a byte span; nothing when out of range.
std::optional<uint32_t> ReadU32(Bytes b, std::size_t at);
std::optional<uint16_t> ReadU16(Bytes b, std::size_t at);

}  // namespace korvi
