#include "main/PagerServices_win.h"

#include <commdlg.h>

#include "winkit/CommonDialogs_win.h"
#include "winkit/DibPicture_win.h"
#include "platform/WideText_win.h"

namespace korvi {

bool Win32PagerServices::PickColor(TColor& color) {
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = pager_;
  cc.rgbResult = ColorRefOf(color);
  cc.lpCustColors = custom_;
  cc.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
  if (!commondlg::ChooseColorA(&cc)) return false;
  color = static_cast<TColor>(cc.rgbResult & 0xFFFFFF);
  return true;
}

bool Win32PagerServices::Confirm(const std::string& question) {
  return ::MessageBoxW(pager_, Widen(question).c_str(), L"Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32PagerServices::BringPagerToTop() {
  ::BringWindowToTop(pager_);
  // The arrow keys of move mode come to the window with the keyboard focus.
  ::SetForegroundWindow(pager_);
  ::SetFocus(pager_);
}

}  // namespace korvi
