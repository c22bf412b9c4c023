#pragma once
#include <windows.h>

#include "panel/HotkeyText.h"
#include "winkit/WindowProc_win.h"

namespace korvi {

// "Set Hotkeys": one key field (the system's hotkey control) per action with a
// "Clear" beside it, then "Defaults", OK and Cancel. Created once, hidden between uses.
class HotkeyDialogWindow : public ViewWindow {
 public:
  static constexpr const char* kClassName = "Korvi8HotkeyDialog";
  // Control IDs: action a's key field and its "Clear".
  enum : int { kDefaults = 201, kFirstKey = 1000, kFirstClear = 1100 };

  HotkeyDialogWindow() = default;
  ~HotkeyDialogWindow() override;
  // Creates the hidden window centred on the screen, owned by `owner`.
  bool Create(HINSTANCE instance, HWND owner);
  // Shows `keys` and waits for the user; true for OK, with the keys as the fields
  // then hold them. A field the user left as it was keeps its key exactly.
  bool Execute(HotkeySet& keys);

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Show(const HotkeySet& keys);
  HWND Field(int32_t a) const { return ::GetDlgItem(hwnd_, kFirstKey + a); }

  HFONT font_ = nullptr;
  HotkeySet shown_{};
  bool done_ = false, ok_ = false;
};

}  // namespace korvi
