#pragma once
#include <cstdint>
#include <string_view>

namespace korvi {

// The rules of glyph loading that need no graphics: which loader a file name
// selects, and where FitBitmap puts a picture. FileImage_win.h does the drawing.

// How LoadGlyph makes a picture, chosen by the file's extension (case-blind).
enum class GlyphKind {
  Bitmap,       // .bmp
  Jpeg,         // .jpg .jpe .jpeg
  Icon,         // .ico
  Cursor,       // .cur
  Metafile,     // .wmf .emf
  ProgramIcon,  // .exe .dll: the icon at the given index, else the shell's icon
  ShellIcon,    // anything else, no extension included
};
GlyphKind GlyphKindOf(std::string_view fileName);

// Where FitBitmap draws a srcW x srcH picture in a boxW x boxH bitmap: scaled to
// `percent` (whole percent), `width` x `height` at (`left`, `top`); left and top
// are negative when the picture is cut at the edges.
struct FitPlacement {
  int32_t percent = 100;
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const FitPlacement&) const = default;
};
// The largest whole percentage (at most 10000) whose scaled width and height both
// stay below the box; 100 when even 1 % reaches the box. Centred in the box.
FitPlacement ComputeFit(int32_t srcW, int32_t srcH, int32_t boxW, int32_t boxH);

}  // namespace korvi
