#include "buttons/DDImage_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/Win32Platform_win.h"
#include "winkit/DrawablePicture_win.h"
#include "winkit/DialogKit_win.h"
#include "util/Text.h"
#include "platform/WideText_win.h"

namespace korvi {

// --- Preview pictures ---------------------------------------------------------------------

Point Win32PreviewSource::Load(const std::string& fileName, int32_t iconIndex) {
  loaded_ = &images_.LoadGlyph(fileName, iconIndex);
  return {loaded_->Width(), loaded_->Height()};
}

void Win32PreviewSource::Fit(int32_t width, int32_t height) {
  if (loaded_) images_.FitBitmap(*loaded_, width, height);
}

PictureRef Win32PreviewSource::Take() {
  DibBitmap copy;
  if (loaded_) copy.CopyFrom(*loaded_);
  return std::make_shared<Win32Picture>(std::move(copy));
}

// --- The window -----------------------------------------------------------------------------

namespace {

constexpr DWORD kListStyle =
    WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;

bool IsFolder(const std::string& path) { return Widen(path).size() < MAX_PATH && Win32FileSystem().DirectoryExists(path); }

std::string WithSlash(std::string path) {
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

// The entries of a folder: sub-folders or files, sorted case-blind. Nothing for a folder
// that is gone, unreadable or too long for the system's calls.
std::vector<std::string> ListFolder(const std::string& folder, bool folders) {
  std::vector<std::string> names;
  const std::wstring pattern = Widen(folder + "*");
  if (pattern.size() >= MAX_PATH) return names;
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = Narrow(fd.cFileName);
    const bool dir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (name == "." || name == ".." || dir != folders) continue;
    names.push_back(name);
  } while (::FindNextFileW(h, &fd));
  ::FindClose(h);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return LowerCase(a) < LowerCase(b);
  });
  return names;
}

// The system's small icon for a kind of file, by name only (no disk access).
int SmallIconOf(const std::string& name, DWORD attributes, UINT extra, HIMAGELIST* list) {
  SHFILEINFOW info{};
  const auto l = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(
      Widen(name).c_str(), attributes, &info, sizeof info, SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra));
  if (l && list) *list = l;
  return l ? info.iIcon : -1;
}

}  // namespace

ImageDialogWindow::~ImageDialogWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  if (font_) ::DeleteObject(font_);
}

bool ImageDialogWindow::Create(HINSTANCE instance, HWND owner) {
  RegisterViewClass<ImageDialogWindow>(instance, kClassName);
  font_ = CreateDialogFont();
  hwnd_ = CreateDialogWindow(kClassName, "ImageDialog", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, TImageDialog::ClientWidth,
                             TImageDialog::ClientHeight, owner, instance, this);
  if (!hwnd_) return false;
  CreateControls(instance);
  form_.AttachHost(this);
  return true;
}

void ImageDialogWindow::CreateControls(HINSTANCE) {
  // Three columns of 160, 9 apart, 8 from the edges; the lists and the preview on top,
  // their choosers below, then the two text lines and the buttons.
  CreateControl(hwnd_, "LISTBOX", "", kListStyle, 8, 8, 160, 160, kFolders, font_);
  CreateControl(hwnd_, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 8, 174, 160, 200, kDrives, font_);
  CreateControl(hwnd_, "LISTBOX", "", kListStyle, 177, 8, 160, 160, kFiles, font_);
  HWND filters = CreateControl(hwnd_, "COMBOBOX", "", WS_TABSTOP | CBS_DROPDOWNLIST, 177, 174, 160, 200, kFilters, font_);
  for (const ImageFilter& f : kImageFilters)
    ::SendMessageW(filters, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(f.Name).c_str()));
  ::SendMessageW(filters, CB_SETCURSEL, static_cast<WPARAM>(filter_), 0);
  // The preview's inside is the 160 x 160 box; its thin sunken edge lies around it.
  CreateControl(hwnd_, "STATIC", "", SS_OWNERDRAW, 345, 7, 162, 162, kPreview, font_, WS_EX_STATICEDGE);
  CreateControl(hwnd_, "STATIC", "Inde&x", SS_CENTERIMAGE, 346, 174, 40, 21, kIndexLabel, font_);
  HWND edit = CreateControl(hwnd_, "EDIT", "0", WS_TABSTOP | ES_AUTOHSCROLL | WS_DISABLED, 390, 174, 100, 21, kIndex,
                            font_, WS_EX_CLIENTEDGE);
  HWND arrows = CreateControl(hwnd_, UPDOWN_CLASSA, "", UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | WS_DISABLED,
                              0, 0, 0, 0, kIndexArrows, nullptr);
  ::SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  ::SendMessageW(arrows, UDM_SETRANGE32, 0, TImageDialog::MaxIndex);
  const DWORD line = SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | SS_NOPREFIX | SS_PATHELLIPSIS;
  CreateControl(hwnd_, "STATIC", "", line, 8, 202, 329, 21, kPathLine, font_);
  CreateControl(hwnd_, "STATIC", "", line, 346, 202, 161, 21, kCountLine, font_);
  CreateControl(hwnd_, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 350, 231, 75, 25, IDOK, font_);
  CreateControl(hwnd_, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 431, 231, 75, 25, IDCANCEL, font_);
}

bool ImageDialogWindow::ShowModal() {
  if (!listed_) {
    // First display: the lists are read for the first time, in the current folder.
    listed_ = true;
    wchar_t cwd[MAX_PATH] = {};
    const DWORD n = ::GetCurrentDirectoryW(MAX_PATH, cwd);
    ChangeFolder(n > 0 && n < MAX_PATH ? Narrow(std::wstring_view(cwd, n)) : std::string("C:\\"));
  }
  result_ = 0;
  done_ = false;
  RunModal(hwnd_, done_, Item(kFiles));
  return result_ == IDOK;
}

void ImageDialogWindow::ChangeFolder(const std::string& folder) {
  // A folder that vanished: its nearest remaining parent; a drive without a medium
  // (or a path too long to list) stays, with empty lists.
  // An empty drive answers "not there" instead of asking the user to insert a disk.
  const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  std::string path = WithSlash(folder);
  const std::vector<std::string> chain = FolderChain(path);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    if (IsFolder(*it)) {
      path = *it;
      break;
    }
  folder_ = path;
  listed_ = true;
  FillDrives();
  FillFolders();
  FillFiles();
  ::SetErrorMode(oldMode);
}

void ImageDialogWindow::FillDrives() {
  HWND drives = Item(kDrives);
  ::SendMessageW(drives, CB_RESETCONTENT, 0, 0);
  char all[512] = {};
  const DWORD n = ::GetLogicalDriveStringsA(sizeof all - 1, all);
  int current = -1;
  for (const char* d = all; n > 0 && n < sizeof all && *d; d += std::strlen(d) + 1) {
    std::string text = LowerCase(std::string(d, 2));
    // Only fixed and network drives are asked for their label: a floppy or an empty CD
    // drive would make the system wait or complain.
    const UINT type = ::GetDriveTypeA(d);
    wchar_t label[MAX_PATH + 1] = {};
    if ((type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK) &&
        ::GetVolumeInformationW(Widen(d).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
        label[0])
      text += " [" + Narrow(label) + "]";
    const int i =
        static_cast<int>(::SendMessageW(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str())));
    ::SendMessageW(drives, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(static_cast<unsigned char>(d[0])));
    if (folder_.size() >= 2 && SameText(folder_.substr(0, 2), std::string(d, 2))) current = i;
  }
  ::SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

void ImageDialogWindow::FillFolders() {
  HWND list = Item(kFolders);
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  folders_.clear();
  const std::vector<std::string> chain = FolderChain(folder_);
  for (size_t i = 0; i < chain.size(); ++i) folders_.push_back({chain[i], static_cast<int>(i), true});
  for (const std::string& name : ListFolder(folder_, true))
    folders_.push_back({folder_ + name + "\\", static_cast<int>(chain.size()), false});
  for (const FolderEntry& f : folders_) {
    std::string text = f.Indent == 0 ? LowerCase(f.Path) : ExtractFileName(f.Path.substr(0, f.Path.size() - 1));
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  }
  if (!chain.empty()) ::SendMessageW(list, LB_SETCURSEL, chain.size() - 1, 0);
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

void ImageDialogWindow::FillFiles() {
  HWND list = Item(kFiles);
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  const char* patterns = kImageFilters[static_cast<size_t>(filter_)].Patterns;
  for (const std::string& name : ListFolder(folder_, false)) {
    if (!MatchesFilter(name, patterns)) continue;
    const int i =
        static_cast<int>(::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str())));
    ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(i),
                   SmallIconOf(name, FILE_ATTRIBUTE_NORMAL, 0, &smallIcons_));
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
  // A re-read list has no file selected.
  form_.FileListBox1Change(folder_, "");
}

void ImageDialogWindow::FileSelectionChanged() {
  HWND list = Item(kFiles);
  const LRESULT sel = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  std::string name;
  if (sel != LB_ERR) {
    const LRESULT n = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
    if (n != LB_ERR) {
      std::wstring wide(static_cast<size_t>(n) + 1, L'\0');
      const LRESULT got =
          ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(wide.data()));
      wide.resize(got > 0 ? static_cast<size_t>(got) : 0);
      name = Narrow(wide);
    }
  }
  // A picture may take a moment to decode: the wait cursor shows it.
  HCURSOR old = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  form_.FileListBox1Change(folder_, name);
  ::SetErrorMode(oldMode);
  ::SetCursor(old);
}

void ImageDialogWindow::Refresh() {
  updating_ = true;
  SetTextIfChanged(Item(kPathLine), form_.Static1);
  SetTextIfChanged(Item(kCountLine), form_.Static2);
  SetTextIfChanged(Item(kIndex), form_.Spin1.Text);
  ::EnableWindow(Item(kIndex), form_.Spin1Enabled);
  ::EnableWindow(Item(kIndexArrows), form_.Spin1Enabled);
  ::EnableWindow(Item(kIndexLabel), form_.Spin1Enabled);
  updating_ = false;
  ::InvalidateRect(Item(kPreview), nullptr, TRUE);
}

void ImageDialogWindow::PaintPreview(HDC dc, const RECT& box) {
  ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_BTNFACE));
  const auto* picture = dynamic_cast<const DrawablePicture*>(form_.Preview.get());
  if (!picture) return;
  const int x = box.left + (box.right - box.left - picture->Width()) / 2;
  const int y = box.top + (box.bottom - box.top - picture->Height()) / 2;
  picture->Draw(dc, x, y);
}

void ImageDialogWindow::DrawListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(dc, &r, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  int x = r.left + DialogScale(2);
  int icon = -1;
  if (item.CtlID == kFolders && item.itemID < folders_.size()) {
    const FolderEntry& f = folders_[item.itemID];
    x += f.Indent * DialogScale(8);
    icon = f.Indent == 0 ? SmallIconOf("C:\\", FILE_ATTRIBUTE_DIRECTORY, 0, &smallIcons_)
                         : SmallIconOf("folder", FILE_ATTRIBUTE_DIRECTORY, f.Open ? SHGFI_OPENICON : 0, &smallIcons_);
  } else {
    icon = static_cast<int>(item.itemData);
  }
  const int iconSize = ::GetSystemMetrics(SM_CXSMICON);
  if (smallIcons_ && icon >= 0)
    ImageList_Draw(smallIcons_, icon, dc, x, r.top + (r.bottom - r.top - iconSize) / 2, ILD_TRANSPARENT);
  x += iconSize + DialogScale(4);
  std::wstring text;
  const LRESULT length = ::SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  if (length > 0) {
    text.assign(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT t{x, r.top, r.right, r.bottom};
  ::DrawTextW(dc, text.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &r);
}

void ImageDialogWindow::Command(int id, int code) {
  switch (id) {
    case kFolders:
      if (code == LBN_DBLCLK) {
        const LRESULT sel = ::SendMessageW(Item(kFolders), LB_GETCURSEL, 0, 0);
        if (sel >= 0 && static_cast<size_t>(sel) < folders_.size()) ChangeFolder(folders_[static_cast<size_t>(sel)].Path);
      }
      break;
    case kDrives:
      if (code == CBN_SELCHANGE) {
        const LRESULT sel = ::SendMessageW(Item(kDrives), CB_GETCURSEL, 0, 0);
        if (sel == CB_ERR) break;
        const char letter = static_cast<char>(::SendMessageW(Item(kDrives), CB_GETITEMDATA, static_cast<WPARAM>(sel), 0));
        ChangeFolder(std::string(1, letter) + ":\\");
      }
      break;
    case kFiles:
      if (code == LBN_SELCHANGE) FileSelectionChanged();
      if (code == LBN_DBLCLK) {
        result_ = IDOK;
        done_ = true;
      }
      break;
    case kFilters:
      if (code == CBN_SELCHANGE) {
        const LRESULT sel = ::SendMessageW(Item(kFilters), CB_GETCURSEL, 0, 0);
        if (sel >= 0 && sel < static_cast<LRESULT>(kImageFilters.size())) filter_ = static_cast<int>(sel);
        FillFiles();
      }
      break;
    case kIndex:
      if (code == EN_CHANGE && !updating_) form_.Spin1Typed(WindowTextOf(Item(kIndex)));
      if (code == EN_KILLFOCUS) form_.Spin1Exit();
      break;
    case IDOK: {
      // Enter on a folder opens it, as in the system's file dialogs; anywhere else it confirms.
      HWND focus = ::GetFocus();
      if (focus == Item(kFolders)) {
        Command(kFolders, LBN_DBLCLK);
        break;
      }
      result_ = IDOK;
      done_ = true;
      break;
    }
    case IDCANCEL:
      result_ = IDCANCEL;
      done_ = true;
      break;
  }
}

LRESULT ImageDialogWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      Command(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (hdr->idFrom == static_cast<UINT_PTR>(kIndexArrows) && hdr->code == UDN_DELTAPOS) {
        form_.Spin1Step(reinterpret_cast<const NMUPDOWN*>(lp)->iDelta > 0 ? 1 : -1);
        return 1;  // the field's text is the logic's, not the arrows'
      }
      break;
    }
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      m->itemHeight = static_cast<UINT>(std::max(::GetSystemMetrics(SM_CYSMICON) + 2, DialogScale(18)));
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (item->CtlID == kPreview) {
        PaintPreview(item->hDC, item->rcItem);
      } else {
        DrawListItem(*item);
      }
      return TRUE;
    }
  }
  // The close box is "Cancel".
  return DialogDefaultProc(hwnd_, msg, wp, lp, IDOK, [this] {
    result_ = IDCANCEL;
    done_ = true;
  });
}

}  // namespace korvi
