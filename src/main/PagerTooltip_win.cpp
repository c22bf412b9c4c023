#include "main/PagerTooltip_win.h"
#include "platform/WideText_win.h"

#include <commctrl.h>

namespace korvi {

void PagerTooltip::Create(HINSTANCE instance, HWND owner, HWND pager) {
  pager_ = pager;
  // The tip is owned by the hidden application window, not by the pager. Wine places a
  // window asked to stay on top just below its topmost owned popups without marking it
  // topmost, so a tip owned by the pager kept "Always On Top" from taking effect.
  tip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                           0, owner, nullptr, instance, nullptr);
  if (!tip_) return;
  wchar_t none[] = L"";
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = pager_;
  ti.uId = 1;
  ti.lpszText = none;
  ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void PagerTooltip::Show(const std::string& text, const Rect& r) {
  if (!tip_) return;
  // The same hint over the same place needs nothing; two buttons may share a hint
  // (every clock shows the time), and then the tool still moves to the second.
  const Rect area = text.empty() ? Rect{} : r;
  if (text == text_ && area == area_ && !text.empty()) return;
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = pager_;
  ti.uId = 1;
  ti.rect = {area.Left, area.Top, area.Right, area.Bottom};
  text_ = text;
  area_ = area;
  ::SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
  std::wstring wide = Widen(text_);
  ti.lpszText = wide.data();
  ::SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void PagerTooltip::Relay(WPARAM wp, LPARAM lp) {
  if (!tip_) return;
  MSG m{pager_, WM_MOUSEMOVE, wp, lp, static_cast<DWORD>(::GetMessageTime()), {}};
  ::SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

}  // namespace korvi
