#pragma once
#include <windows.h>
#include <commctrl.h>

#include "winkit/WindowProc_win.h"

#include <string>
#include <vector>

#include "buttons/DDImage.h"
#include "buttons/FileImage_win.h"

namespace korvi {

// The preview pictures of the image chooser, made by the program's glyph loader: the
// glyph is shrunk in the shared glyph bitmap and only the result is copied out.
class Win32PreviewSource : public PreviewSource {
 public:
  explicit Win32PreviewSource(FileImage& images) : images_(images) {}
  Point Load(const std::string& fileName, int32_t iconIndex) override;
  void Fit(int32_t width, int32_t height) override;
  PictureRef Take() override;
  int32_t CountIcons(const std::string& fileName) override { return FileImage::CountIcons(fileName); }

 private:
  FileImage& images_;
  DibBitmap* loaded_ = nullptr;
};

// The Win32 window of the image chooser: a modal tool window "ImageDialog" with the
// folder list and drive chooser (left), the file list and filter chooser (middle), the
// preview and index field (right), the path and count lines, and "OK" / "Cancel".
// Created once, hidden between uses; TImageDialog::Execute shows it.
class ImageDialogWindow : public ViewWindow, public ImageDialogHost {
 public:
  static constexpr const char* kClassName = "Korvi8ImageDialog";
  // Control IDs (for tests that drive the dialog).
  enum : int {
    kFolders = 101, kDrives, kFiles, kFilters, kPreview, kIndex, kIndexArrows, kPathLine, kCountLine,
    kIndexLabel
  };

  explicit ImageDialogWindow(TImageDialog& form) : form_(form) {}
  ~ImageDialogWindow() override;
  // Creates the hidden window centred on the screen, owned by `owner`; false when
  // Windows refuses.
  bool Create(HINSTANCE instance, HWND owner);
  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
  // The folder the lists show ("C:\Pictures\").
  const std::string& Folder() const { return folder_; }
  // Shows `folder` in the folder and file lists (no file selected), as a click in the
  // folder list would.
  void ChangeFolder(const std::string& folder);

  // ImageDialogHost
  bool ShowModal() override;
  void Refresh() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void CreateControls(HINSTANCE instance);
  void FillDrives();
  void FillFolders();
  void FillFiles();
  void FileSelectionChanged();
  void DrawListItem(const DRAWITEMSTRUCT& item);
  void PaintPreview(HDC dc, const RECT& box);
  void Command(int id, int code);

  TImageDialog& form_;
  HFONT font_ = nullptr;
  HIMAGELIST smallIcons_ = nullptr;
  std::string folder_;
  int filter_ = 0;
  bool listed_ = false;     // the lists have been read once
  bool done_ = false;       // ends the modal loop
  bool updating_ = false;   // the view is showing the logic's values
  int result_ = 0;          // IDOK or IDCANCEL
  struct FolderEntry {
    std::string Path;
    int Indent;
    bool Open;
  };
  std::vector<FolderEntry> folders_;
};

}  // namespace korvi
