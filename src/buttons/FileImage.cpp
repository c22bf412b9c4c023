#include "buttons/FileImage.h"

#include "util/Text.h"

namespace korvi {

GlyphKind GlyphKindOf(std::string_view fileName) {
  const std::string ext = LowerCase(ExtractFileExt(fileName));
  if (ext == ".bmp") return GlyphKind::Bitmap;
  if (ext == ".jpg" || ext == ".jpe" || ext == ".jpeg") return GlyphKind::Jpeg;
  if (ext == ".ico") return GlyphKind::Icon;
  if (ext == ".cur") return GlyphKind::Cursor;
  if (ext == ".wmf" || ext == ".emf") return GlyphKind::Metafile;
  if (ext == ".exe" || ext == ".dll") return GlyphKind::ProgramIcon;
  return GlyphKind::ShellIcon;
}

FitPlacement ComputeFit(int32_t srcW, int32_t srcH, int32_t boxW, int32_t boxH) {
  // 64-bit products: a picture wider than 214748 pixels would overflow 32 bits at 10000 %.
  const int64_t w = srcW, h = srcH;
  const int32_t start = (boxW >= srcW && boxH >= srcH) ? 99 : 0;
  int32_t q = start + 1;
  while (!(w * q / 100 >= boxW || h * q / 100 >= boxH || q > 10000)) ++q;
  int32_t p = q - 1;
  if (p <= 0) p = 100;

  FitPlacement f;
  f.percent = p;
  f.width = static_cast<int32_t>(w * p / 100);
  f.height = static_cast<int32_t>(h * p / 100);
  f.left = static_cast<int32_t>((int64_t{boxW} - f.width) / 2);
  f.top = static_cast<int32_t>((int64_t{boxH} - f.height) / 2);
  return f;
}

}  // namespace korvi
