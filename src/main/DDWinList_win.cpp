#include "main/DDWinList_win.h"

#include <commctrl.h>

#include "main/WinListItems.h"
#include "winkit/DialogKit_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {
constexpr COLORREF kSilver = RGB(0xC0, 0xC0, 0xC0);
}

WinListWindow::~WinListWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  if (popup_) ::DestroyMenu(popup_);
  if (silver_) ::DeleteObject(silver_);
}

bool WinListWindow::Create(HINSTANCE instance) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  silver_ = ::CreateSolidBrush(kSilver);
  RegisterViewClass<WinListWindow>(instance, kClassName, silver_);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU, exStyle = WS_EX_TOOLWINDOW;
  hwnd_ = CreateCentredWindow(kClassName, "Window List", style, exStyle,
                              OuterSizeOf(kClientWidth, kClientHeight, style, exStyle), nullptr, nullptr, instance,
                              this);
  if (!hwnd_) return false;
  label_ = ::CreateWindowExW(0, L"STATIC", L"Top Level Windows", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 12, 8, 200, 16,
                             hwnd_, nullptr, instance, nullptr);
  list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL,
                            12, 28, 316, 351, hwnd_, nullptr, instance, nullptr);
  HFONT gui = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  for (HWND c : {label_, list_}) ::SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(gui), FALSE);
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.cx = 315;
  wchar_t caption[] = L"ID         Title";
  col.pszText = caption;
  ::SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
  popup_ = ::CreatePopupMenu();
  ::AppendMenuW(popup_, MF_STRING, kCloseCommand, L"Close Window");
  return true;
}

void WinListWindow::Show() { ::ShowWindow(hwnd_, SW_SHOWNORMAL); }

void WinListWindow::DisplayWindowList() {
  wchar_t placeholder[] = L"xxx";
  while (ItemCount() < kWinListSize) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = ItemCount();
    item.pszText = placeholder;
    if (::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) < 0) break;
  }
  for (int i = 1; i <= kWinListSize; ++i) {
    std::wstring text = Widen(WinListItemCaption(table_.Entry(i)));
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text.data();
    ::SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(i - 1), reinterpret_cast<LPARAM>(&item));
  }
}

void WinListWindow::mCloseClick() { ::ShowWindow(hwnd_, SW_HIDE); }

int WinListWindow::ItemCount() const { return static_cast<int>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

std::string WinListWindow::ItemText(int index) const {
  wchar_t buf[512] = {};
  LVITEMW item{};
  item.iSubItem = 0;
  item.pszText = buf;
  item.cchTextMax = static_cast<int>(std::size(buf));
  const LRESULT n = ::SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return Narrow(std::wstring_view(buf, n > 0 ? static_cast<size_t>(n) : 0));
}

LRESULT WinListWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CONTEXTMENU: {
      POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      if (p.x == -1 && p.y == -1) ::GetCursorPos(&p);  // opened from the keyboard
      ::TrackPopupMenu(popup_, TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd_, nullptr);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == kCloseCommand) {
        mCloseClick();
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      ::SetBkColor(dc, kSilver);
      return reinterpret_cast<LRESULT>(silver_);
    }
    case WM_CLOSE:
      mCloseClick();  // created once: closing only hides it
      return 0;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace korvi
