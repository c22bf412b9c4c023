#include "help/FFHelp_win.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "help/ReaderView_win.h"
#include "help/WebBrowserHost_win.h"
#include "winkit/DialogKit_win.h"
#include "winkit/FileOpen_win.h"
#include "winkit/Paint_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {

constexpr UINT_PTR kRenderCheckTimer = 1;
constexpr UINT kRenderCheckMs = 3000;

// The toolbar's pictures, drawn in a 16 x 16 box at (x, y).
void DrawArrow(HDC dc, int x, int y, bool left) {
  const POINT right[] = {{x + 1, y + 6}, {x + 8, y + 6}, {x + 8, y + 2}, {x + 15, y + 8},
                         {x + 8, y + 14}, {x + 8, y + 10}, {x + 1, y + 10}};
  POINT pts[7];
  for (int i = 0; i < 7; ++i) pts[i] = {left ? 2 * x + 16 - right[i].x : right[i].x, right[i].y};
  HBRUSH fill = ::CreateSolidBrush(RGB(0x2E, 0x9E, 0x3E));
  HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(0x1B, 0x5E, 0x25));
  HGDIOBJ oldBrush = ::SelectObject(dc, fill), oldPen = ::SelectObject(dc, pen);
  ::Polygon(dc, pts, 7);
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, oldPen);
  ::DeleteObject(fill);
  ::DeleteObject(pen);
}

void DrawReload(HDC dc, int x, int y) {
  HPEN pen = ::CreatePen(PS_SOLID, 2, RGB(0x1F, 0x5F, 0xB0));
  HGDIOBJ oldPen = ::SelectObject(dc, pen);
  // Three quarters of a circle, open at the top right, with its arrow head there.
  // (Arc runs counter-clockwise from its start point to its end point.)
  ::Arc(dc, x + 2, y + 2, x + 15, y + 15, x + 10, y + 2, x + 15, y + 6);
  ::SelectObject(dc, oldPen);
  ::DeleteObject(pen);
  HBRUSH fill = ::CreateSolidBrush(RGB(0x1F, 0x5F, 0xB0));
  HGDIOBJ oldBrush = ::SelectObject(dc, fill);
  HGDIOBJ nullPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
  const POINT head[] = {{x + 10, y + 0}, {x + 15, y + 4}, {x + 9, y + 7}};
  ::Polygon(dc, head, 3);
  ::SelectObject(dc, nullPen);
  ::SelectObject(dc, oldBrush);
  ::DeleteObject(fill);
}

}  // namespace

HelpWindow::HelpWindow(THelpForm& form, FileSystem& files)
    : form_(form), files_(files), reader_(files, &form, [](const std::string& url) {
        ::ShellExecuteW(nullptr, L"open", Widen(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      }) {
  reader_.OnStatus = [this](const std::string& text) { SetStatus(text); };
}

HelpWindow::~HelpWindow() {
  web_.reset();
  readerView_.reset();
  if (hwnd_) ::DestroyWindow(hwnd_);
  if (accel_) ::DestroyAcceleratorTable(accel_);
  if (oleReady_) ::OleUninitialize();
}

bool HelpWindow::Create(HINSTANCE instance) {
  instance_ = instance;
  RegisterViewClass<HelpWindow>(instance, kClassName);

  HMENU file = ::CreatePopupMenu();
  ::AppendMenuW(file, MF_STRING, kOpenCommand, L"&Open\tCtrl+O");
  ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(file, MF_STRING, kExitCommand, L"E&xit\tCtrl+X");
  HMENU edit = ::CreatePopupMenu();
  ::AppendMenuW(edit, MF_STRING, kCopyCommand, L"&Copy\tCtrl+C");
  ::AppendMenuW(edit, MF_STRING, kSelectAllCommand, L"Select &All\tCtrl+A");
  HMENU bar = ::CreateMenu();
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  ::AppendMenuW(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
  ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'O', static_cast<WORD>(kOpenCommand)},
                  {FVIRTKEY | FCONTROL, 'X', static_cast<WORD>(kExitCommand)}};
  accel_ = ::CreateAcceleratorTableW(keys, 2);

  hwnd_ = CreateCentredWindow(kClassName, THelpForm::kInitialTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              WS_EX_TOOLWINDOW, {DialogScale(THelpForm::FormWidth), DialogScale(THelpForm::FormHeight)},
                              nullptr, bar, instance, this);
  if (!hwnd_) return false;
  HFONT gui = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  const struct {
    HWND* Button;
    int Id;
    const wchar_t* Caption;
  } buttons[] = {{&back_, kBackId, L"Back"}, {&forward_, kForwardId, L"Forward"}, {&reload_, kReloadId, L"Reload"}};
  int x = DialogScale(4);
  for (const auto& b : buttons) {
    *b.Button = ::CreateWindowExW(0, L"BUTTON", b.Caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, x,
                                  DialogScale(kToolbarHeight - kButtonHeight) / 2, DialogScale(kButtonWidth),
                                  DialogScale(kButtonHeight), hwnd_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.Id)), instance, nullptr);
    ::SendMessageW(*b.Button, WM_SETFONT, reinterpret_cast<WPARAM>(gui), FALSE);
    x += DialogScale(kButtonWidth + 4);
  }
  status_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_SUNKEN | SS_NOPREFIX, 0, 0, 10,
                              DialogScale(kStatusHeight), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)),
                              instance, nullptr);
  ::SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(gui), FALSE);

  form_.AttachHost(this);
  form_.AttachView(this);
  form_.FormCreate();
  Layout();
  return true;
}

void HelpWindow::ChoosePage() {
  if (pageChosen_ || !hwnd_) return;
  pageChosen_ = true;
  // The WebBrowser control only hosts an HTML engine; without one it loads pages
  // and shows nothing (Wine without Gecko), so the reader shows them instead.
  oleReady_ = SUCCEEDED(::OleInitialize(nullptr));  // in-place activation needs OLE, not just COM
  if (WebBrowserHost::EngineAvailable()) {
    web_ = std::make_unique<WebBrowserHost>(&form_);
    if (web_->Create(hwnd_, PageBounds())) web_->OnDocumentComplete = [this] { CheckRendering(); };
    else web_.reset();
  }
  if (!web_) UseReader();
  Layout();
}

RECT HelpWindow::PageBounds() {
  RECT rc;
  ::GetClientRect(hwnd_, &rc);
  const int toolbar = DialogScale(kToolbarHeight);
  return RECT{0, toolbar, rc.right, std::max<LONG>(rc.bottom - DialogScale(kStatusHeight), toolbar)};
}

void HelpWindow::Layout() {
  RECT rc;
  ::GetClientRect(hwnd_, &rc);
  const RECT page = PageBounds();
  if (web_) web_->SetBounds(page);
  if (readerView_)
    ::MoveWindow(readerView_->Hwnd(), page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
  ::MoveWindow(status_, 0, rc.bottom - DialogScale(kStatusHeight), rc.right, DialogScale(kStatusHeight), TRUE);
}

void HelpWindow::UseReader() {
  if (useReader_) return;
  useReader_ = true;
  if (web_) web_->SetVisible(false);
  readerView_ = std::make_unique<ReaderView>(reader_);
  readerView_->Create(instance_, hwnd_);
  Layout();
  ::ShowWindow(readerView_->Hwnd(), SW_SHOWNA);
}

void HelpWindow::CheckRendering() {
  ::KillTimer(hwnd_, kRenderCheckTimer);
  if (useReader_ || !web_ || web_->HasRenderedDocument()) return;
  UseReader();
  if (!lastUrl_.empty()) reader_.Navigate(lastUrl_);
}

bool HelpWindow::TranslateAccelerator(MSG& msg) {
  if (!hwnd_ || !accel_ || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) return false;
  return ::TranslateAcceleratorW(hwnd_, accel_, &msg) != 0;
}

void HelpWindow::SetTitle(const std::string& title) { SetWindowTextUtf8(hwnd_, title); }
void HelpWindow::SetStatus(const std::string& text) { SetWindowTextUtf8(status_, text); }

void HelpWindow::ShowForm() {
  ChoosePage();
  ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  ::SetForegroundWindow(hwnd_);
  if (readerView_) ::SetFocus(readerView_->Hwnd());
}

void HelpWindow::HideForm() { ::ShowWindow(hwnd_, SW_HIDE); }

bool HelpWindow::ChooseFile(std::string& path) {
  const auto chosen = ChooseFileToOpen(hwnd_, THelpForm::kOpenFilter, nullptr,
                                       OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER);
  if (!chosen) return false;
  path = *chosen;
  return true;
}

void HelpWindow::Navigate(const std::string& url) {
  ChoosePage();
  if (useReader_) {
    reader_.Navigate(url);
    return;
  }
  lastUrl_ = url;
  web_->Navigate(url);
  ::SetTimer(hwnd_, kRenderCheckTimer, kRenderCheckMs, nullptr);
}

void HelpWindow::GoBack() {
  ChoosePage();
  if (useReader_) reader_.GoBack();
  else web_->GoBack();
}

void HelpWindow::GoForward() {
  ChoosePage();
  if (useReader_) reader_.GoForward();
  else web_->GoForward();
}

void HelpWindow::DrawToolButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  wchar_t caption[32] = {};
  const int length = ::GetWindowTextW(item.hwndItem, caption, 32);
  HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE text{};
  ::GetTextExtentPoint32W(dc, caption, length, &text);
  const int gap = 4, picture = 16, shift = pressed ? 1 : 0;
  const int total = picture + gap + text.cx;
  int x = r.left + (r.right - r.left - total) / 2 + shift;
  const int py = r.top + (r.bottom - r.top - picture) / 2 + shift;
  const int ty = r.top + (r.bottom - r.top - text.cy) / 2 + shift;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  if (item.CtlID == kForwardId) {  // its picture to the right of the caption
    ::TextOutW(dc, x, ty, caption, length);
    DrawArrow(dc, x + text.cx + gap, py, false);
  } else {
    if (item.CtlID == kBackId) DrawArrow(dc, x, py, true);
    else DrawReload(dc, x, py);
    ::TextOutW(dc, x + picture + gap, ty, caption, length);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = r;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(dc, &focus);
  }
  ::SelectObject(dc, oldFont);
}

LRESULT HelpWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_PAINT:
      PaintWindow(hwnd_, [this](HDC dc, const RECT&) {
        RECT rc;
        ::GetClientRect(hwnd_, &rc);
        RECT toolbar{0, 0, rc.right, DialogScale(kToolbarHeight)};
        ::DrawEdge(dc, &toolbar, BDR_RAISEDINNER, BF_RECT);
      });
      return 0;
    case WM_DRAWITEM:
      DrawToolButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kBackId: form_.bBackClick(); break;
        case kForwardId: form_.bForwardClick(); break;
        case kReloadId: form_.bReloadClick(); break;
        case kOpenCommand: form_.miOpenClick(); break;
        case kExitCommand: form_.miExitClick(); break;
      }
      // The toolbar keeps no focus: keys go on to the page.
      if (readerView_ && (LOWORD(wp) == kBackId || LOWORD(wp) == kForwardId || LOWORD(wp) == kReloadId))
        ::SetFocus(readerView_->Hwnd());
      return 0;
    case WM_TIMER:
      if (wp == kRenderCheckTimer) CheckRendering();
      return 0;

    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
      mm->ptMinTrackSize = {DialogScale(3 * (kButtonWidth + 4) + 40), DialogScale(kToolbarHeight + kStatusHeight + 120)};
      return 0;
    }
    case WM_CLOSE:
      form_.miExitClick();  // created once: closing only hides it
      return 0;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace korvi
