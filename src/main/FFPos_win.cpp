#include "main/FFPos_win.h"

#include "winkit/DialogKit_win.h"
#include "winkit/Paint_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {
constexpr COLORREF kNavy = RGB(0, 0, 128);
}

PosWindow::~PosWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  if (font_) ::DeleteObject(font_);
  if (face_) ::DeleteObject(face_);
}

bool PosWindow::Create(HINSTANCE instance) {
  RegisterViewClass<PosWindow>(instance, kClassName);
  // A tool window: the read-out never takes a taskbar button or the focus. Borderless:
  // the window is its client area.
  hwnd_ = CreateCentredWindow(kClassName, "Position", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                              {TPosForm::ClientWidth, TPosForm::ClientHeight}, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  HDC dc = ::GetDC(hwnd_);
  const int height = -::MulDiv(10, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
  ::ReleaseDC(hwnd_, dc);
  font_ = ::CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
  face_ = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  const int textHeight = 20, x = (TPosForm::ClientWidth - kTextWidth) / 2, y = (kPanelHeight - textHeight) / 2;
  static1_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, x, y, kTextWidth,
                               textHeight, hwnd_, nullptr, instance, nullptr);
  static2_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, x,
                               kPanelHeight + y, kTextWidth, textHeight, hwnd_, nullptr, instance, nullptr);
  for (HWND s : {static1_, static2_}) ::SendMessageW(s, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  form_.AttachHost(this);
  return true;
}

void PosWindow::Show() { ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE); }
void PosWindow::Hide() { ::ShowWindow(hwnd_, SW_HIDE); }

void PosWindow::ShowTexts(const std::string& top, const std::string& bottom) {
  SetWindowTextUtf8(static1_, top);
  SetWindowTextUtf8(static2_, bottom);
}

LRESULT PosWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      PaintWindow(hwnd_, [](HDC dc, const RECT&) {
        for (int i = 0; i < 2; ++i) {
          RECT panel{0, i * kPanelHeight, TPosForm::ClientWidth, (i + 1) * kPanelHeight};
          ::DrawEdge(dc, &panel, BDR_RAISEDOUTER, BF_RECT);
        }
      });
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      ::SetTextColor(dc, kNavy);
      ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(face_);
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_CLOSE:
      return 0;  // created once, hidden between uses
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace korvi
