#pragma once
#include <windows.h>

#include "main/PopupMenu.h"

namespace korvi {

// Shows a popup menu built from its model at a screen point and waits for the
// user: the tag of the chosen item, 0 when the menu was dismissed. Item ids are
// the items' tags.
int32_t TrackPopup(const TPopupMenu& menu, HWND owner, int x, int y, UINT alignment);

}  // namespace korvi
