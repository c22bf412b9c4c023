#pragma once
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include "winkit/DibBitmap_win.h"
#include "winkit/DrawablePicture_win.h"

namespace korvi {

// Makes glyph pictures from files: picture files (BMP, JPEG, icons, cursors, metafiles),
// icons inside programs and libraries, and the shell's icon for anything else. Every
// failure ends in the built-in 32 x 32 fallback picture, the bitmap resource IUNKNOWN.
//
// The loaders return the one shared glyph bitmap, overwritten by the next load; a caller
// that keeps a picture copies it (Win32GlyphSource does). User-interface thread only.
class FileImage {
 public:
  // `module`: whose IUNKNOWN resource is the fallback picture, and the instance handle given
  // to ExtractIconA; the program itself when null.
  explicit FileImage(HINSTANCE module = nullptr);
  ~FileImage();
  FileImage(const FileImage&) = delete;
  FileImage& operator=(const FileImage&) = delete;

  // The glyph for the file, chosen by its extension (GlyphKindOf); iconIndex picks the icon
  // of a program or library. Never fails.
  DibBitmap& LoadGlyph(const std::string& fileName, int32_t iconIndex);
  // The icon the shell shows for the file (large unless `flags` asks otherwise), over white.
  DibBitmap& LoadShellIcon(const std::string& fileName, UINT flags);
  // The glyph of the bytes of an ".ico" (or, `cursor`, ".cur") file, as LoadGlyph makes it
  // from the file: the image nearest the system's icon (cursor) size, at its own size.
  DibBitmap& LoadIconBytes(std::span<const uint8_t> file, bool cursor);
  // Draws the icon with its own mask over white on the glyph bitmap, at the icon's size.
  // A handle that is no icon gives the fallback picture and clears Succeeded().
  DibBitmap& IconToBitmap(HICON icon);
  // Whether the last LoadGlyph / LoadShellIcon / IconToBitmap made its picture from the file
  // (false: the glyph is the fallback picture).
  bool Succeeded() const { return ok_; }
  DibBitmap& Glyph() { return glyph_; }

  // The number of icons in an ".exe", ".dll" or ".ico" file; 0 for any other file or error.
  static int32_t CountIcons(const std::string& fileName);
  // Makes `bitmap` width x height, 24 bits, filled with `colour` (0x00BBGGRR, or 0x80000000
  // plus a system colour index).
  static void FillBitmap(DibBitmap& bitmap, int32_t width, int32_t height, uint32_t colour);
  // Rescales the picture in `bitmap` in place to a width x height bitmap (ComputeFit), on its
  // own bottom-left colour, and marks it transparent.
  void FitBitmap(DibBitmap& bitmap, int32_t width, int32_t height);

 private:
  bool LoadBmp(const std::string& fileName);
  bool LoadJpeg(const std::string& fileName);
  bool LoadIconFile(const std::string& fileName, bool cursor);
  bool IconFromBytes(std::span<const uint8_t> file, bool cursor);
  bool LoadMetafile(const std::string& fileName);
  bool LoadProgramIcon(const std::string& fileName, int32_t iconIndex);
  bool ShellIcon(const std::string& fileName, UINT flags);
  bool DrawIcon(HICON icon);
  void TakeIcon(HICON icon, bool cursor);  // the icon object: releases the handle it held
  void LoadFallback();

  HINSTANCE module_;
  DibBitmap glyph_;
  DibBitmap scratch_;
  HICON icon_ = nullptr;
  bool iconIsCursor_ = false;
  HENHMETAFILE metafile_ = nullptr;
  bool ok_ = true;
};

// A glyph picture the logic holds: an owned copy of a loaded glyph. The view that draws
// buttons takes the bitmap from Handle().
class Win32Picture : public DrawablePicture {
 public:
  explicit Win32Picture(DibBitmap&& bitmap) : bitmap_(static_cast<DibBitmap&&>(bitmap)) {}
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  HBITMAP Handle() const { return bitmap_.Handle(); }
  bool Transparent() const { return bitmap_.Transparent; }
  const DibBitmap& Bitmap() const { return bitmap_; }
  // Drawn with the colour of its bottom-left pixel left out, whatever Transparent says.
  void Draw(HDC dc, int x, int y) const override;

 private:
  DibBitmap bitmap_;
};

// The glyph source of the launcher buttons on Windows: every load is copied out of the
// shared glyph bitmap into a picture of its own.
class Win32GlyphSource : public GlyphSource {
 public:
  explicit Win32GlyphSource(FileImage& images) : images_(images) {}
  PictureRef LoadGlyph(const std::string& fileName, int iconIndex) override;

 private:
  FileImage& images_;
};

}  // namespace korvi
