#pragma once
#include <windows.h>

#include "winkit/WindowProc_win.h"

#include <string>

#include "main/DDWinList.h"

namespace korvi {

// The Win32 window of the window-list form: a tool window with a list view that can
// show the window table, and a popup menu whose one item "Close Window" hides it.
class WinListWindow : public ViewWindow {
 public:
  static constexpr const char* kClassName = "Korvi8WinList";
  static constexpr int kClientWidth = 340, kClientHeight = 391;
  static constexpr UINT kCloseCommand = 1;

  explicit WinListWindow(TWinListDialog& table) : table_(table) {}
  ~WinListWindow();
  // Creates the hidden window centred on the screen; false when Windows refuses.
  bool Create(HINSTANCE instance);
  HWND ListView() const { return list_; }
  HMENU PopupMenu() const { return popup_; }
  void Show();

  // Fills the list view from the window table: 128 lines, one per entry.
  void DisplayWindowList();
  // "Close Window": hides the form.
  void mCloseClick();

  std::string ItemText(int index) const;
  int ItemCount() const;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  TWinListDialog& table_;
  HWND label_ = nullptr, list_ = nullptr;
  HMENU popup_ = nullptr;
  HBRUSH silver_ = nullptr;
};

}  // namespace korvi
