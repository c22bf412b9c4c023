#include "help/FFAbout_win.h"

#include "winkit/DialogKit_win.h"
#include "winkit/Paint_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {
constexpr UINT_PTR kTimerId = 1;
// The bevelled panel and what it holds, in client coordinates.
constexpr RECT kPanel{8, 8, 290, 164};
constexpr int kPictureX = 16, kPictureY = 16, kPictureWidth = 65, kPictureHeight = 57;
// The labels stand below the picture, across the panel: the product name needs
// more than the width beside the picture in some fonts that stand in for Arial.
constexpr int kLabelX = 16, kLabelWidth = 266, kLabelHeight = 16, kProductTop = 88, kVersionTop = 112;
constexpr int kOkWidth = 75, kOkHeight = 25, kOkTop = 176;

// The box and what it holds grow with the screen's resolution as its Arial 8 point does (the
// sizes above are those at 96 dpi), so the product name keeps its width at 120 and 144 dpi.
int Px(int designPixels) { return DialogScale(designPixels); }

HFONT Arial8(HWND hwnd, int weight) {
  HDC dc = ::GetDC(hwnd);
  const int height = -::MulDiv(8, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
  ::ReleaseDC(hwnd, dc);
  return ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
}
}  // namespace

AboutWindow::~AboutWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  if (font_) ::DeleteObject(font_);
  if (bold_) ::DeleteObject(bold_);
  if (picture_) ::DeleteObject(picture_);
}

bool AboutWindow::Create(HINSTANCE instance) {
  RegisterViewClass<AboutWindow>(instance, kClassName);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU, exStyle = WS_EX_DLGMODALFRAME;
  hwnd_ = CreateCentredWindow(kClassName, TAboutBox::kTitle, style, exStyle,
                              OuterSizeOf(Px(TAboutBox::ClientWidth), Px(TAboutBox::ClientHeight), style, exStyle), nullptr,
                              nullptr, instance, this);
  if (!hwnd_) return false;
  font_ = Arial8(hwnd_, FW_NORMAL);
  bold_ = Arial8(hwnd_, FW_BOLD);
  picture_ = static_cast<HBITMAP>(
      ::LoadImageA(instance, MAKEINTRESOURCEA(kPictureResource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  const DWORD label = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
  HWND product = ::CreateWindowExW(0, L"STATIC", Widen(TAboutBox::kProductName).c_str(), label, Px(kLabelX),
                                   Px(kProductTop), Px(kLabelWidth), Px(kLabelHeight), hwnd_, nullptr, instance, nullptr);
  HWND version = ::CreateWindowExW(0, L"STATIC", Widen(TAboutBox::kVersion).c_str(), label, Px(kLabelX),
                                   Px(kVersionTop), Px(kLabelWidth), Px(kLabelHeight), hwnd_, nullptr, instance, nullptr);
  ok_ = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                          Px((TAboutBox::ClientWidth - kOkWidth) / 2), Px(kOkTop), Px(kOkWidth), Px(kOkHeight), hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
  ::SendMessageW(product, WM_SETFONT, reinterpret_cast<WPARAM>(bold_), FALSE);
  ::SendMessageW(version, WM_SETFONT, reinterpret_cast<WPARAM>(bold_), FALSE);
  ::SendMessageW(ok_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  form_.AttachHost(this);
  form_.FormCreate();
  return true;
}

void AboutWindow::ShowForm(bool activate) {
  if (!activate) {
    if (!::IsWindowVisible(hwnd_)) ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    return;
  }
  ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  ::SetForegroundWindow(hwnd_);
  ::SetFocus(ok_);  // Enter or Space closes it
}
bool AboutWindow::TakeDialogKey(MSG& msg) {
  if (!hwnd_ || !::IsWindowVisible(hwnd_) || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) return false;
  return ::IsDialogMessageW(hwnd_, &msg) != 0;
}
void AboutWindow::HideForm() { ::ShowWindow(hwnd_, SW_HIDE); }
void AboutWindow::StartTimer(int32_t periodMs) { ::SetTimer(hwnd_, kTimerId, static_cast<UINT>(periodMs), nullptr); }
void AboutWindow::StopTimer() { ::KillTimer(hwnd_, kTimerId); }

void AboutWindow::Paint(HDC dc) {
  RECT panel{Px(kPanel.left), Px(kPanel.top), Px(kPanel.right), Px(kPanel.bottom)};
  ::DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
  if (!picture_) return;
  HDC mem = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(mem, picture_);
  BITMAP bm{};
  ::GetObjectA(picture_, sizeof bm, &bm);
  // Magenta is the picture's transparent colour: the panel shows through.
  ::GdiTransparentBlt(dc, Px(kPictureX), Px(kPictureY), Px(kPictureWidth), Px(kPictureHeight), mem, 0, 0, bm.bmWidth, bm.bmHeight,
                      RGB(255, 0, 255));
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
}

LRESULT AboutWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      PaintWindow(hwnd_, [this](HDC dc, const RECT&) { Paint(dc); });
      return 0;
    case WM_CTLCOLORSTATIC: {
      ::SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_TIMER:
      if (wp == kTimerId) form_.Timer1Timer();
      return 0;
    case DM_GETDEFID:  // what Enter presses
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) form_.bOKClick();
      return 0;
    case WM_CLOSE:
      form_.bOKClick();  // created once: the close box only hides it
      return 0;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace korvi
