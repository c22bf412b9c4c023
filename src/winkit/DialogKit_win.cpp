#include "winkit/DialogKit_win.h"

#include <vector>

#include "platform/Geometry.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WideText_win.h"

namespace korvi {

int DialogScale(int designPixels) {
  static int dpi = [] {
    HDC screen = ::GetDC(nullptr);
    const int d = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return d > 0 ? d : 96;
  }();
  return ::MulDiv(designPixels, dpi, 96);
}

HFONT CreateDialogFont(int weight, int points) {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  LOGFONTW lf{};
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) {
    lf = m.lfMessageFont;
  } else {
    lf.lfHeight = -DialogScale(11);
    lstrcpynW(lf.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
  }
  if (points > 0) lf.lfHeight = -::MulDiv(points, DialogScale(96), 72);
  lf.lfWeight = weight;
  return ::CreateFontIndirectW(&lf);
}

HWND CreateControl(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
                   HFONT font, DWORD exStyle) {
  // Unicode controls: an edit or a list holds every character the user types or is given.
  HWND c = ::CreateWindowExW(exStyle, Widen(cls).c_str(), Widen(text ? text : "").c_str(),
                             WS_CHILD | WS_VISIBLE | style, DialogScale(x), DialogScale(y), DialogScale(w),
                             DialogScale(h), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
  if (c && font) ::SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

std::string WindowTextOf(HWND h) { return WindowText(h); }

void SetTextIfChanged(HWND h, const std::string& text) {
  if (h && WindowTextOf(h) != text) SetWindowTextUtf8(h, text);
}

SIZE OuterSizeOf(int clientW, int clientH, DWORD style, DWORD exStyle) {
  RECT frame{0, 0, clientW, clientH};
  ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

HWND CreateCentredWindow(const char* cls, const char* title, DWORD style, DWORD exStyle, SIZE outer, HWND owner,
                         HMENU menu, HINSTANCE instance, void* self) {
  const Rect at = CentredOnScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), outer.cx, outer.cy);
  const std::wstring caption = Widen(title ? title : "");
  return ::CreateWindowExW(exStyle, Widen(cls).c_str(), caption.c_str(), style, at.Left, at.Top, outer.cx, outer.cy,
                           owner, menu, instance, self);
}

HWND CreateDialogWindow(const char* cls, const char* title, DWORD style, DWORD exStyle, int clientW, int clientH,
                        HWND owner, HINSTANCE instance, void* self) {
  const SIZE outer = OuterSizeOf(DialogScale(clientW), DialogScale(clientH), style, exStyle);
  return CreateCentredWindow(cls, title, style, exStyle, outer, owner, nullptr, instance, self);
}

namespace {
BOOL CALLBACK CollectEnabled(HWND h, LPARAM lp) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(lp);
  if (::IsWindowVisible(h) && ::IsWindowEnabled(h) && h != list->front()) list->push_back(h);
  return TRUE;
}
}  // namespace

void RunModal(HWND dialog, const bool& done, HWND focus) {
  // The rest of the program waits: its windows take no input until the dialog closes.
  std::vector<HWND> disabled{dialog};
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  for (size_t i = 1; i < disabled.size(); ++i) ::EnableWindow(disabled[i], FALSE);
  ::ShowWindow(dialog, SW_SHOW);
  ::SetForegroundWindow(dialog);
  if (focus) ::SetFocus(focus);
  MSG msg;
  while (!done) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      // The program is ending: leave the quit for the main loop to see.
      ::PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
      break;
    }
    if (::IsDialogMessageW(dialog, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  for (size_t i = 1; i < disabled.size(); ++i)
    if (::IsWindow(disabled[i])) ::EnableWindow(disabled[i], TRUE);
  // Hidden after the others are enabled again, so the activation returns to one of them.
  ::ShowWindow(dialog, SW_HIDE);
}

}  // namespace korvi

namespace korvi {
void UseTextColourLook(HWND control) {
  using SetThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static SetThemeFn setTheme = [] {
    HMODULE ux = LoadSystemLibrary(L"uxtheme.dll");
    return ux ? reinterpret_cast<SetThemeFn>(reinterpret_cast<void*>(::GetProcAddress(ux, "SetWindowTheme")))
              : nullptr;
  }();
  if (setTheme) setTheme(control, L" ", L" ");
}
}  // namespace korvi

namespace korvi {
void NextDialogControl(HWND dialog, WPARAM wp, LPARAM lp) {
  HWND target = lp ? reinterpret_cast<HWND>(wp) : ::GetNextDlgTabItem(dialog, ::GetFocus(), wp != 0);
  if (!target) return;
  ::SetFocus(target);
  // A field reached from the keyboard has its text selected, ready to be typed over.
  if (::SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageW(target, EM_SETSEL, 0, -1);
}

LRESULT DialogDefaultProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp, int defaultButton,
                          const std::function<void()>& close) {
  switch (msg) {
    case DM_GETDEFID:
      return MAKELRESULT(defaultButton, DC_HASDEFID);
    case WM_NEXTDLGCTL:
      NextDialogControl(dialog, wp, lp);
      return 0;
    case WM_CLOSE:
      close();
      return 0;
  }
  return ::DefWindowProcW(dialog, msg, wp, lp);
}
}  // namespace korvi
