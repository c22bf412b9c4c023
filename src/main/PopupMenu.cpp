#include "main/PopupMenu.h"

#include "main/MenuTags.h"
#include "panel/data.h"

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
  items.push_back(Item("ppAbout", tag::About, "About Korvi8"));
  items.push_back(Item("ppHelp", tag::Help, "Help"));
  items.push_back(Separator());
  items.push_back(Item("ppHide", tag::AutoHide, "Auto-Hide"));
  items.push_back(Item("ppOnTop", tag::OnTop, "Always On Top"));
  items.push_back(Item("ppSmooth", tag::Smooth, "Smooth Scroll"));
  items.push_back(Separator());
  items.push_back(Item("ppMoveWindow", tag::MoveWindow, "Move Window to Desktop ..."));
  items.push_back(Item("ppGatherAll", tag::GatherAll, "Gather All Windows"));
  items.push_back(Item("ppSticky", tag::StickyWindow, "Show Window on All Desktops"));
  items.push_back(Item("ppGatherOnExit", tag::GatherOnExit, "Gather Windows on Exit"));
  items.push_back(Item("ppFollowFocus", tag::FollowFocus, "Follow Focus"));
  items.push_back(Separator());

  TMenuItem dock = Item("ppDockEdge", tag::DockEdgeMenu, "Dock to Edge");
  dock.Items = {Radio("ppTop", tag::DockTop, "Top Edge"), Radio("ppBottom", tag::DockBottom, "Bottom Edge"),
                Radio("ppLeft", tag::DockLeft, "Left Edge"), Radio("ppRight", tag::DockRight, "Right Edge")};
  items.push_back(dock);

  // The caption is the one users know; kept as it stands.
  TMenuItem count = Item("ppDeskCount", tag::DeskCountMenu, "Numer of Desktops");
  for (int n = 1; n <= kMaxDesktops; ++n) {
    std::string caption = n == 1 ? "1  Desktop" : n < 10 ? std::to_string(n) + "  Desktops" : "10 Desktops";
    count.Items.push_back(Radio("ppDeskCount" + std::to_string(n), tag::DeskCount + n, caption));
  }
  items.push_back(count);

  TMenuItem select = Item("ppDeskSelect", tag::DeskSelectMenu, "Go To Desktop");
  for (int n = 1; n <= kMaxDesktops; ++n)
    select.Items.push_back(Radio("ppDeskSelect" + std::to_string(n), tag::DeskSelect + n, "Desktop #" + std::to_string(n)));
  items.push_back(select);
  items.push_back(Separator());

  items.push_back(Item("ppNewExe", tag::NewExe, "New Executable File"));
  items.push_back(Item("ppNewClock", tag::NewClock, "New Clock"));
  items.push_back(Item("ppNewLoad", tag::NewLoad, "New System Load"));
  items.push_back(Item("ppNewControl", tag::NewControl, "New Control Panel"));
  items.push_back(Item("ppNewExplorer", tag::NewExplorer, "New Windows Explorer"));
  items.push_back(Separator());
  items.push_back(Item("ppConfig", tag::Configure, "Configure Buttons"));
  items.push_back(Item("ppArange", tag::Arrange, "Arrange Buttons"));
  items.push_back(Item("ppMove", tag::MoveButton, "Move Button"));
  items.push_back(Item("ppDelete", tag::RemoveButton, "Remove Button ..."));
  items.push_back(Separator());
  items.push_back(Item("ppBackground", tag::PanelColor, "Set Panel Color"));
  items.push_back(Item("ppWallpaper", tag::Wallpaper, "Set Wallpaper"));
  items.push_back(Item("ppHotkeys", tag::SetHotkeys, "Set Hotkeys..."));
  items.push_back(Separator());
  items.push_back(Item("ppExit", tag::Exit, "Exit"));
  return m;
}

}  // namespace korvi
