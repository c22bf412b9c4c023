#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "panel/SpinValue.h"
#include "platform/Geometry.h"
#include "platform/Picture.h"

namespace korvi {

// One filter of the image chooser's file list: its name and its ";"-separated patterns.
struct ImageFilter {
  const char* Name;
  const char* Patterns;
};
// The seven filters, in the order the filter chooser lists them; the first is current
// when the dialog is created.
inline constexpr std::array<ImageFilter, 7> kImageFilters{{
    {"All Files", "*.*"},
    {"Image Files", "*.bmp;*.jpg;*.jpe;*.jpeg;*.wmf;*.emf"},
    {"Bitmap Files", "*.bmp"},
    {"JPEG Files", "*.jpg;*.jpe;*.jpeg"},
    {"Windows Meta Files", "*.wmf;*.emf"},
    {"Library Files", "*.dll"},
    {"Executable Files", "*.exe"},
}};

// Whether a file name matches one of the ";"-separated patterns of a filter: case-blind,
// "*" any run of characters, "?" one character; "*.*" matches every name, with or
// without an extension.
bool MatchesFilter(std::string_view name, std::string_view patterns);
// The folder list's upper part: the folders from the drive's root down to `folder`, each
// ending with "\" ("C:\a\b" gives "C:\", "C:\a\", "C:\a\b\").
std::vector<std::string> FolderChain(std::string_view folder);

// Makes the preview picture: a glyph loaded as LoadGlyph makes it, shrunk on demand.
// The Win32 side works on the one shared glyph bitmap, so a huge picture is copied once,
// after it has been shrunk.
class PreviewSource {
 public:
  virtual ~PreviewSource() = default;
  // Loads the glyph for (file, index) (never fails: unreadable files give the fallback
  // picture); returns its size.
  virtual Point Load(const std::string& fileName, int32_t iconIndex) = 0;
  // Shrinks the loaded glyph in place to width x height (FitBitmap).
  virtual void Fit(int32_t width, int32_t height) = 0;
  // A copy of the loaded glyph, kept by the caller.
  virtual PictureRef Take() = 0;
  // The number of icons in a program or library file; 0 for any other file or error.
  virtual int32_t CountIcons(const std::string& fileName) = 0;
};

// The image chooser's window as its logic sees it.
class ImageDialogHost {
 public:
  virtual ~ImageDialogHost() = default;
  // Shows the window modally; true when it closed with "OK", false for "Cancel" or
  // the close box.
  virtual bool ShowModal() = 0;
  // The path line, the count line, the index or the preview changed: show them.
  virtual void Refresh() = 0;
};

// The image chooser ("ImageDialog"): a file from folder, drive, file and filter
// choosers, and for programs and libraries one of their icons, with a preview of the
// glyph it makes. Created once, kept (folder, filter, selection, result) between uses.
//
// Use: `if (dialog.Execute()) use(dialog.FileName, dialog.ImageIndex);`
class TImageDialog {
 public:
  static constexpr int32_t ClientWidth = 514, ClientHeight = 262;
  static constexpr int32_t PreviewWidth = 160, PreviewHeight = 160;
  static constexpr int32_t MaxIndex = 1024;

  explicit TImageDialog(PreviewSource* pictures = nullptr) : pictures_(pictures) {}
  void AttachHost(ImageDialogHost* host) { host_ = host; }

  // Shows the dialog modally: true for "OK" (also with no file selected: FileName is
  // then empty), false for "Cancel" or the close box. Read FileName and ImageIndex after.
  bool Execute();

  // Full path of the file selected in the file list; empty when none is selected.
  std::string FileName;
  // The icon index last read from the index field; 0 unless a program or library is selected.
  int32_t ImageIndex = 0;

  // --- What the controls show (the view mirrors these) ----------------------------
  std::string Static1;  // the selected file's full path
  std::string Static2;  // "<n> Images" for a program or library, else empty
  SpinEditState Spin1{"0", 0, MaxIndex};
  bool Spin1Enabled = false;
  PictureRef Preview;  // shown centred in the 160 x 160 box

  // --- Handlers the view calls ------------------------------------------------------
  // The file list's change notification: its selection changed or it re-read its
  // folder (then `name` is empty). `folder` is the listed folder.
  void FileListBox1Change(const std::string& folder, const std::string& name);
  // The index field's change notification (also run by FileListBox1Change).
  void Spin1Change();
  // The user typed in the index field.
  void Spin1Typed(const std::string& text);
  // The up/down arrows of the index field: one step up (+1) or down (-1), within 0..1024.
  void Spin1Step(int32_t delta);
  // The index field lost the focus: an index typed beyond 0..1024 snaps into it.
  void Spin1Exit();

 private:
  void SetSpin1Text(const std::string& text);  // raises Spin1Change when it changes

  PreviewSource* pictures_;
  ImageDialogHost* host_ = nullptr;
};

}  // namespace korvi
