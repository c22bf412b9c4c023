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

// One image of an icon or cursor file: where its bytes lie in the file, its size and
// colour depth (bits per pixel; 32 for a PNG image), and for a cursor its hot spot.
struct IconImage {
  std::size_t Offset = 0, Size = 0;
  int32_t Width = 0, Height = 0;
  uint32_t BitCount = 0;
  uint16_t HotX = 0, HotY = 0;
  bool operator==(const IconImage&) const = default;
};
// The image the system would show of a file that passes CheckIconFile, for the size
// width x height it wants: the nearest in size (least sum of the width and height
// differences, as the directory gives them), then the deepest in colour, then the
// first. Nothing when the file does not pass.
std::optional<IconImage> ChooseIconImage(Bytes file, IconFileType type, int32_t width, int32_t height);

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
