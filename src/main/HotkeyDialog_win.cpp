#include "main/HotkeyDialog_win.h"

#include <commctrl.h>

#include "winkit/DialogKit_win.h"

namespace korvi {

namespace {

// Two columns of 13 rows: showing desktops and the panel's commands on the left,
// sending windows on the right.
constexpr int kRows = 13, kRowHeight = 27, kTop = 12, kColumnWidth = 374;
constexpr int kLabelWidth = 118, kFieldWidth = 194, kClearWidth = 56;
constexpr int kBarTop = kTop + kRows * kRowHeight + 8;
constexpr int kClientWidth = 2 * kColumnWidth + 20, kClientHeight = kBarTop + 44;

int32_t ActionAt(int column, int row) {
  if (column == 0) return row < 10 ? hot::Desktop + row : row == 10 ? hot::Next : row == 11 ? hot::Previous : hot::Gather;
  return row < 10 ? hot::Send + row : row == 10 ? hot::SendNext : row == 11 ? hot::SendPrevious : hot::Pin;
}

// The hotkey control names the arrows and the keys of the editing block only with
// the extended-key flag (without it they are the keypad's). Wine's control names the
// arrows after the keypad either way ("KP_Right"); the key registered is the same.
bool IsExtended(uint16_t vk) { return (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE || vk == VK_DIVIDE; }

WPARAM FieldValue(const Hotkey& k) {
  if (k.Empty()) return 0;
  BYTE flags = 0;
  if (k.Modifiers & hotmod::Shift) flags |= HOTKEYF_SHIFT;
  if (k.Modifiers & hotmod::Ctrl) flags |= HOTKEYF_CONTROL;
  if (k.Modifiers & hotmod::Alt) flags |= HOTKEYF_ALT;
  if (IsExtended(k.Key)) flags |= HOTKEYF_EXT;
  return MAKEWORD(static_cast<BYTE>(k.Key), flags);
}

Hotkey KeyOfValue(LRESULT v) {
  const BYTE vk = LOBYTE(LOWORD(v)), flags = HIBYTE(LOWORD(v));
  Hotkey k;
  if (vk == 0) return k;
  if (flags & HOTKEYF_SHIFT) k.Modifiers |= hotmod::Shift;
  if (flags & HOTKEYF_CONTROL) k.Modifiers |= hotmod::Ctrl;
  if (flags & HOTKEYF_ALT) k.Modifiers |= hotmod::Alt;
  k.Key = vk;
  return k;
}

}  // namespace

HotkeyDialogWindow::~HotkeyDialogWindow() {
  if (font_) ::DeleteObject(font_);
}

bool HotkeyDialogWindow::Create(HINSTANCE instance, HWND owner) {
  RegisterViewClass<HotkeyDialogWindow>(instance, kClassName);
  font_ = CreateDialogFont();
  hwnd_ = CreateDialogWindow(kClassName, "Set Hotkeys", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClientWidth, kClientHeight,
                             owner, instance, this);
  if (!hwnd_) return false;
  for (int column = 0; column < 2; ++column)
    for (int row = 0; row < kRows; ++row) {
      const int32_t a = ActionAt(column, row);
      const int x = 8 + column * (kColumnWidth + 4), y = kTop + row * kRowHeight;
      CreateControl(hwnd_, "STATIC", HotActionCaption(a).c_str(), SS_CENTERIMAGE | SS_NOPREFIX, x, y, kLabelWidth, 22,
                    -1, font_);
      CreateControl(hwnd_, HOTKEY_CLASSA, "", WS_TABSTOP, x + kLabelWidth, y, kFieldWidth, 22, kFirstKey + a, font_,
                    WS_EX_CLIENTEDGE);
      CreateControl(hwnd_, "BUTTON", "Clear", WS_TABSTOP | BS_PUSHBUTTON, x + kLabelWidth + kFieldWidth + 6, y,
                    kClearWidth, 22, kFirstClear + a, font_);
    }
  const int y = kBarTop + 8;
  CreateControl(hwnd_, "BUTTON", "&Defaults", WS_TABSTOP | BS_PUSHBUTTON, 8, y, 88, 26, kDefaults, font_);
  CreateControl(hwnd_, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kClientWidth - 192, y, 88, 26, IDOK, font_);
  CreateControl(hwnd_, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, kClientWidth - 96, y, 88, 26, IDCANCEL, font_);
  return true;
}

void HotkeyDialogWindow::Show(const HotkeySet& keys) {
  for (int32_t a = 0; a < kHotActionCount; ++a) ::SendMessageA(Field(a), HKM_SETHOTKEY, FieldValue(keys[a]), 0);
}

bool HotkeyDialogWindow::Execute(HotkeySet& keys) {
  if (!hwnd_) return false;
  shown_ = keys;
  Show(keys);
  done_ = ok_ = false;
  RunModal(hwnd_, done_, Field(hot::Desktop));
  if (!ok_) return false;
  for (int32_t a = 0; a < kHotActionCount; ++a) {
    const LRESULT v = ::SendMessageA(Field(a), HKM_GETHOTKEY, 0, 0);
    // A field that still holds what it was given keeps its key (the control cannot
    // show every modifier the settings may name).
    if (LOWORD(v) != LOWORD(FieldValue(shown_[a]))) keys[a] = KeyOfValue(v);
  }
  return true;
}

LRESULT HotkeyDialogWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      if (id >= kFirstClear && id < kFirstClear + kHotActionCount) {
        ::SendMessageA(Field(id - kFirstClear), HKM_SETHOTKEY, 0, 0);
        return 0;
      }
      if (id == kDefaults) {
        HotkeySet defaults;
        for (int32_t a = 0; a < kHotActionCount; ++a) defaults[a] = DefaultHotkey(a);
        Show(defaults);
        return 0;
      }
      if (id == IDOK || id == IDCANCEL) {
        ok_ = id == IDOK;
        done_ = true;
        return 0;
      }
      break;
    }
  }
  // The close box is "Cancel".
  return DialogDefaultProc(hwnd_, msg, wp, lp, IDOK, [this] {
    ok_ = false;
    done_ = true;
  });
}

}  // namespace korvi
