#include "main/PopupMenu.h"

namespace korvi {

namespace {

TMenuItem Item(const char* name, int32_t tag, std::string caption) {
  TMenuItem i;
  i.Name = name;
  i.Tag = tag;
  i.Caption = std::move(caption);
  return i;
}

TMenuItem Radio(std::string name, int32_t tag, std::string caption) {
  TMenuItem i = Item("", tag, std::move(caption));
  i.Name = std::move(name);
  i.RadioItem = true;
  return i;
}

TMenuItem Separator() {
  TMenuItem i;
  i.Separator = true;
  return i;
}

template <class Pred>
TMenuItem* FindIn(std::vector<TMenuItem>& items, Pred pred) {
  for (TMenuItem& i : items) {
    if (!i.Separator && pred(i)) return &i;
    if (TMenuItem* found = FindIn(i.Items, pred)) return found;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TPopupMenu::Find(const std::string& name) {
  return FindIn(Items, [&](const TMenuItem& i) { return i.Name == name; });
}

TMenuItem* TPopupMenu::FindTag(int32_t tag) {
  return FindIn(Items, [&](const TMenuItem& i) { return i.Tag == tag; });
}

TPopupMenu MakePopup1() {
  TPopupMenu m;
  auto& items = m.Items;
  items.push_back(Item("ppAbout", 2, "About Korvi8"));
  items.push_back(Item("ppHelp", 3, "Help"));
  items.push_back(Separator());
  items.push_back(Item("ppHide", 202, "Auto-Hide"));
  items.push_back(Item("ppOnTop", 201, "Always On Top"));
  items.push_back(Item("ppSmooth", 203, "Smooth Scroll"));
  items.push_back(Separator());
  items.push_back(Item("ppMoveWindow", 501, "Move Window to Desktop ..."));
  items.push_back(Separator());

  TMenuItem dock = Item("ppDockEdge", 200, "Dock to Edge");
  dock.Items = {Radio("ppTop", 204, "Top Edge"), Radio("ppBottom", 205, "Bottom Edge"),
                Radio("ppLeft", 206, "Left Edge"), Radio("ppRight", 207, "Right Edge")};
  items.push_back(dock);

  // The caption is the one users know; kept as it stands.
  TMenuItem count = Item("ppDeskCount", 100, "Numer of Desktops");
  for (int n = 1; n <= 10; ++n) {
    std::string caption = n == 1 ? "1  Desktop" : n < 10 ? std::to_string(n) + "  Desktops" : "10 Desktops";
    count.Items.push_back(Radio("ppDeskCount" + std::to_string(n), 100 + n, caption));
  }
  items.push_back(count);

  TMenuItem select = Item("ppDeskSelect", 300, "Go To Desktop");
  for (int n = 1; n <= 10; ++n)
    select.Items.push_back(Radio("ppDeskSelect" + std::to_string(n), 300 + n, "Desktop #" + std::to_string(n)));
  items.push_back(select);
  items.push_back(Separator());

  items.push_back(Item("ppNewExe", 401, "New Executable File"));
  items.push_back(Item("ppNewClock", 402, "New Clock"));
  items.push_back(Item("ppNewLoad", 403, "New System Load"));
  items.push_back(Item("ppNewControl", 404, "New Control Panel"));
  items.push_back(Item("ppNewExplorer", 405, "New Windows Explorer"));
  items.push_back(Separator());
  items.push_back(Item("ppConfig", 407, "Configure Buttons"));
  items.push_back(Item("ppArange", 503, "Arrange Buttons"));
  items.push_back(Item("ppMove", 504, "Move Button"));
  items.push_back(Item("ppDelete", 406, "Remove Button ..."));
  items.push_back(Separator());
  items.push_back(Item("ppBackground", 502, "Set Panel Color"));
  items.push_back(Item("ppWallpaper", 505, "Set Wallpaper"));
  items.push_back(Separator());
  items.push_back(Item("ppExit", 1, "Exit"));
  return m;
}

}  // namespace korvi
