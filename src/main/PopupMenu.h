#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace korvi {

// One entry of a popup menu as the logic sees it: a command item, a separator or a
// submenu header. The view builds the real menu from it every time it opens.
struct TMenuItem {
  std::string Name;     // component name (ppExit); empty for separators
  int32_t Tag = 0;      // command number; unique among items
  std::string Caption;  // shown as it is: no character becomes an accelerator
  bool Checked = false;
  bool Enabled = true;
  bool RadioItem = false;  // checked with a dot; one of its group
  bool Separator = false;
  std::vector<TMenuItem> Items;  // a submenu when not empty
};

// A popup menu: its items in menu order. Tag 0 is the menu itself.
struct TPopupMenu {
  int32_t Tag = 0;
  bool AutoHotkeys = false;  // no accelerators are made up from the captions
  std::vector<TMenuItem> Items;

  // The item (at any depth) with this name or tag; null when there is none.
  TMenuItem* Find(const std::string& name);
  TMenuItem* FindTag(int32_t tag);
};

// The pager's command menu with every item, tag, caption, separator, submenu and
// radio group, in menu order.
TPopupMenu MakePopup1();

}  // namespace korvi
