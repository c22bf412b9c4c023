#include "main/PopupMenu_win.h"
#include "platform/WideText_win.h"

#include <string>

namespace korvi {

namespace {

// An "&" in a caption would make the next character an accelerator; the menu
// makes up none, so every "&" is shown as itself.
std::string Literal(const std::string& caption) {
  std::string s;
  for (char c : caption) {
    if (c == '&') s += '&';
    s += c;
  }
  return s;
}

HMENU Build(const std::vector<TMenuItem>& items) {
  HMENU menu = ::CreatePopupMenu();
  for (const TMenuItem& i : items) {
    if (i.Separator) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::wstring text = Widen(Literal(i.Caption));
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_ID;
    mi.fType = MFT_STRING | (i.RadioItem ? MFT_RADIOCHECK : 0);
    mi.fState = (i.Checked ? MFS_CHECKED : MFS_UNCHECKED) | (i.Enabled ? MFS_ENABLED : MFS_GRAYED);
    mi.wID = static_cast<UINT>(i.Tag);
    mi.dwTypeData = text.data();
    if (!i.Items.empty()) {
      mi.fMask |= MIIM_SUBMENU;
      mi.hSubMenu = Build(i.Items);
    }
    ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &mi);
  }
  return menu;
}

}  // namespace

int32_t TrackPopup(const TPopupMenu& menu, HWND owner, int x, int y, UINT alignment) {
  HMENU h = Build(menu.Items);
  // The menu's owner must be in front, or the menu would not close when the user
  // clicks elsewhere; the empty message afterwards lets it finish closing.
  ::SetForegroundWindow(owner);
  const UINT cmd = ::TrackPopupMenu(h, alignment | TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
  ::PostMessageW(owner, WM_NULL, 0, 0);
  ::DestroyMenu(h);  // the submenus go with it
  return static_cast<int32_t>(cmd);
}

}  // namespace korvi
