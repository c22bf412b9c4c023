#include "buttons/PictureCheck.h"

#include <algorithm>
#include <cstdlib>

namespace korvi {

std::optional<uint32_t> ReadU32(Bytes b, std::size_t at) {
  if (at > b.size() || b.size() - at < 4) return std::nullopt;
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}

std::optional<uint16_t> ReadU16(Bytes b, std::size_t at) {
  if (at > b.size() || b.size() - at < 2) return std::nullopt;
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

namespace {

int32_t AsI32(uint32_t v) { return static_cast<int32_t>(v); }
int16_t AsI16(uint16_t v) { return static_cast<int16_t>(v); }

bool PixelCountOk(int64_t w, int64_t h) { return w > 0 && h > 0 && w * h <= kMaxPicturePixels; }

// Bytes of one bitmap row, padded to 32 bits.
int64_t Stride(int64_t width, int64_t bpp) { return (width * bpp + 31) / 32 * 4; }

// Windows' MulDiv: a * b / c rounded half away from zero.
int64_t MulDiv(int64_t a, int64_t b, int64_t c) {
  const int64_t n = a * b;
  const int64_t r = (std::llabs(n) + std::llabs(c) / 2) / std::llabs(c);
  return (n < 0) != (c < 0) ? -r : r;
}

std::optional<PictureSize> Sized(int64_t w, int64_t h) {
  if (!PixelCountOk(w, h)) return std::nullopt;
  return PictureSize{static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

}  // namespace

std::optional<PictureSize> CheckBmp(Bytes file) {
  constexpr std::size_t kFileHeader = 14;
  if (file.size() < kFileHeader + 12 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  const uint32_t offBits = *ReadU32(file, 10);
  const uint32_t infoSize = *ReadU32(file, kFileHeader);

  int64_t width, height;
  uint32_t planes, bpp, compression = 0, clrUsed = 0, sizeImage = 0;
  std::size_t paletteEntry = 4, masks = 0;
  if (infoSize == 12) {  // OS/2 core header: 16-bit sizes, 3-byte palette entries
    width = *ReadU16(file, 18);
    height = *ReadU16(file, 20);
    planes = *ReadU16(file, 22);
    bpp = *ReadU16(file, 24);
    paletteEntry = 3;
  } else if (infoSize >= 40 && infoSize <= 124 && file.size() >= kFileHeader + infoSize) {
    width = AsI32(*ReadU32(file, 18));
    height = AsI32(*ReadU32(file, 22));
    planes = *ReadU16(file, 26);
    bpp = *ReadU16(file, 28);
    compression = *ReadU32(file, 30);
    sizeImage = *ReadU32(file, 34);
    clrUsed = *ReadU32(file, 46);
    if (infoSize == 40 && compression == 3) masks = 12;  // BI_BITFIELDS masks follow a plain header
  } else {
    return std::nullopt;
  }
  if (planes != 1) return std::nullopt;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
  const bool rle = compression == 1 || compression == 2;
  if (compression > 3 || (compression == 1 && bpp != 8) || (compression == 2 && bpp != 4) ||
      (compression == 3 && bpp != 16 && bpp != 32))
    return std::nullopt;
  const bool topDown = height < 0;
  if (topDown && rle) return std::nullopt;
  if (topDown) height = -height;
  if (!PixelCountOk(width, height)) return std::nullopt;

  const uint64_t maxColours = bpp <= 8 ? (1u << bpp) : 0;
  if (clrUsed > maxColours && bpp <= 8) return std::nullopt;
  const uint64_t colours = bpp <= 8 ? (clrUsed ? clrUsed : maxColours) : clrUsed;
  const uint64_t headers = kFileHeader + infoSize + masks;
  if (colours > 4096 || headers + colours * paletteEntry > file.size()) return std::nullopt;
  if (offBits < headers || offBits >= file.size()) return std::nullopt;

  const uint64_t pixelBytes = file.size() - offBits;
  if (!rle && static_cast<uint64_t>(Stride(width, bpp) * height) > pixelBytes) return std::nullopt;
  // Run-length data has no size of its own: the decoder reads as many bytes as the header says.
  if (rle && (sizeImage == 0 || sizeImage > pixelBytes)) return std::nullopt;
  return PictureSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

namespace {

bool CheckIconImage(Bytes image) {
  static constexpr uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (image.size() >= 8 && std::equal(kPng, kPng + 8, image.begin())) {
    // The PNG's first chunk, its header, gives its size: at most 256 pixels square too.
    auto big32 = [&](std::size_t at) {
      return uint32_t{image[at]} << 24 | uint32_t{image[at + 1]} << 16 | uint32_t{image[at + 2]} << 8 | image[at + 3];
    };
    if (image.size() < 24 || big32(8) != 13 || !std::equal(image.begin() + 12, image.begin() + 16, "IHDR"))
      return false;
    const uint32_t w = big32(16), h = big32(20);
    return w >= 1 && w <= 256 && h >= 1 && h <= 256;
  }
  if (image.size() < 40) return false;
  const uint32_t headerSize = *ReadU32(image, 0);
  const int64_t w = AsI32(*ReadU32(image, 4));
  const int64_t doubledH = AsI32(*ReadU32(image, 8));
  const uint32_t bpp = *ReadU16(image, 14);
  const uint32_t compression = *ReadU32(image, 16);
  const uint32_t clrUsed = *ReadU32(image, 32);
  if (headerSize < 40 || headerSize > image.size() || compression != 0) return false;
  // Icons and cursors are at most 256 pixels square; the height counts colour and mask rows.
  if (w <= 0 || w > 256 || doubledH <= 0 || doubledH > 512 || doubledH % 2) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  const int64_t h = doubledH / 2;
  const int64_t colours = bpp <= 8 ? (clrUsed ? clrUsed : (1 << bpp)) : 0;
  if (colours > 256) return false;
  const int64_t needed = headerSize + colours * 4 + Stride(w, bpp) * h + Stride(w, 1) * h;
  return needed <= static_cast<int64_t>(image.size());
}

}  // namespace

bool CheckIconFile(Bytes file, IconFileType type) {
  if (file.size() < 6 || *ReadU16(file, 0) != 0 || *ReadU16(file, 2) != static_cast<uint16_t>(type))
    return false;
  const uint32_t count = *ReadU16(file, 4);
  if (count == 0 || 6 + 16ull * count > file.size()) return false;
  for (uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const uint64_t size = *ReadU32(file, entry + 8);
    const uint64_t offset = *ReadU32(file, entry + 12);
    if (offset < 6 + 16ull * count || offset + size > file.size()) return false;
    if (!CheckIconImage(file.subspan(offset, size))) return false;
  }
  return true;
}

std::optional<IconImage> ChooseIconImage(Bytes file, IconFileType type, int32_t width, int32_t height) {
  if (!CheckIconFile(file, type)) return std::nullopt;
  static constexpr uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::optional<IconImage> best;
  int64_t bestDistance = 0;
  for (uint32_t i = 0, count = *ReadU16(file, 4); i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    IconImage image;
    image.Offset = *ReadU32(file, entry + 12);
    image.Size = *ReadU32(file, entry + 8);
    image.Width = file[entry] ? file[entry] : 256;  // 0 stands for 256
    image.Height = file[entry + 1] ? file[entry + 1] : 256;
    const Bytes bytes = file.subspan(image.Offset, image.Size);
    const bool png = bytes.size() >= 8 && std::equal(kPng, kPng + 8, bytes.begin());
    image.BitCount = png ? 32 : *ReadU16(bytes, 14);
    // A cursor's directory holds its hot spot where an icon's holds planes and depth.
    if (type == IconFileType::Cursor) {
      image.HotX = *ReadU16(file, entry + 4);
      image.HotY = *ReadU16(file, entry + 6);
    }
    const int64_t distance = std::llabs(int64_t{image.Width} - width) + std::llabs(int64_t{image.Height} - height);
    if (!best || distance < bestDistance || (distance == bestDistance && image.BitCount > best->BitCount)) {
      best = image;
      bestDistance = distance;
    }
  }
  return best;
}

std::optional<PictureSize> CheckEmf(Bytes file, int dpi) {
  constexpr uint32_t kHeaderRecord = 1, kEofRecord = 14, kSignature = 0x464D4520;  // " EMF"
  if (file.size() < 88 || *ReadU32(file, 0) != kHeaderRecord || *ReadU32(file, 40) != kSignature)
    return std::nullopt;
  const uint32_t headerSize = *ReadU32(file, 4);
  const uint32_t total = *ReadU32(file, 48);
  if (headerSize < 88 || headerSize > total || total > file.size()) return std::nullopt;
  // Walk the records: each one 4-byte aligned, at least 8 bytes, inside the file, ending in EMR_EOF.
  uint64_t at = 0;
  bool eof = false;
  while (!eof && at + 8 <= total) {
    const uint32_t type = *ReadU32(file, at), size = *ReadU32(file, at + 4);
    if (size < 8 || size % 4 || at + size > total) return std::nullopt;
    eof = type == kEofRecord;
    at += size;
  }
  if (!eof) return std::nullopt;
  const int64_t frameW = int64_t{AsI32(*ReadU32(file, 32))} - AsI32(*ReadU32(file, 24));
  const int64_t frameH = int64_t{AsI32(*ReadU32(file, 36))} - AsI32(*ReadU32(file, 28));
  if (frameW <= 0 || frameH <= 0) return std::nullopt;
  return Sized(MulDiv(frameW, dpi, 2540), MulDiv(frameH, dpi, 2540));
}

std::optional<PictureSize> CheckPlaceableWmf(Bytes file, int dpi) {
  constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
  constexpr std::size_t kPlaceable = 22, kMetaHeader = 18;
  if (file.size() < kPlaceable + kMetaHeader || *ReadU32(file, 0) != kPlaceableKey) return std::nullopt;
  const int64_t boxW = int64_t{AsI16(*ReadU16(file, 10))} - AsI16(*ReadU16(file, 6));
  const int64_t boxH = int64_t{AsI16(*ReadU16(file, 12))} - AsI16(*ReadU16(file, 8));
  const uint32_t inch = *ReadU16(file, 14);
  if (boxW <= 0 || boxH <= 0 || inch == 0) return std::nullopt;

  const Bytes meta = file.subspan(kPlaceable);
  const uint32_t type = *ReadU16(meta, 0), headerWords = *ReadU16(meta, 2);
  if ((type != 1 && type != 2) || headerWords != 9) return std::nullopt;
  // Walk the records (sizes in 16-bit words) up to META_EOF (function 0), all inside the file.
  uint64_t at = kMetaHeader;
  for (;;) {
    const auto words = ReadU32(meta, at);
    const auto function = ReadU16(meta, at + 4);
    if (!words || !function || *words < 3 || at + 2ull * *words > meta.size()) return std::nullopt;
    if (*function == 0) break;
    at += 2ull * *words;
  }
  // The same two roundings as converting the box to 0.01 mm and that to screen pixels.
  const int64_t mmW = MulDiv(boxW, 2540, inch), mmH = MulDiv(boxH, 2540, inch);
  return Sized(MulDiv(mmW, dpi, 2540), MulDiv(mmH, dpi, 2540));
}

}  // namespace korvi
