#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace korvi {

// Helpers the dialog windows share: the dialog font and layout scaling, control
// creation, and the modal loop.

// Design units (pixels at 96 dots per inch) to pixels on this screen.
int DialogScale(int designPixels);
// The font Windows uses for message boxes and dialogs (Segoe UI 9 on current systems,
// Tahoma 8 under Wine), at this screen's size; `weight` FW_NORMAL or FW_BOLD, `points`
// 0 for the system's own size. The caller deletes it.
HFONT CreateDialogFont(int weight = FW_NORMAL, int points = 0);
// A child control at design coordinates, with the dialog font.
HWND CreateControl(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
                   HFONT font, DWORD exStyle = 0);
// Texts are UTF-8; the controls are Unicode windows.
std::string WindowTextOf(HWND h);
// Sets the text only when it differs, so an edit keeps its caret while the user types.
void SetTextIfChanged(HWND h, const std::string& text);
// The outer size of a window with the given client size and styles (no menu bar).
SIZE OuterSizeOf(int clientW, int clientH, DWORD style, DWORD exStyle);
// Creates a hidden top-level window of the given outer size, centred on the screen.
HWND CreateCentredWindow(const char* cls, const char* title, DWORD style, DWORD exStyle, SIZE outer, HWND owner,
                         HMENU menu, HINSTANCE instance, void* self);
// Creates a hidden top-level dialog window of the given client size (design units),
// centred on the screen.
HWND CreateDialogWindow(const char* cls, const char* title, DWORD style, DWORD exStyle, int clientW, int clientH,
                        HWND owner, HINSTANCE instance, void* self);

// Shows `dialog` modally: the other windows of the thread are disabled, the dialog
// keys work (Tab, mnemonics, Enter, Escape), and the loop runs until `done` becomes
// true or the program ends; `focus` gets the keyboard first. The dialog is hidden again
// afterwards.
void RunModal(HWND dialog, const bool& done, HWND focus = nullptr);

}  // namespace korvi

namespace korvi {
// Draws the control without the visual style, so that the text colour a dialog gives
// it through WM_CTLCOLORSTATIC shows (styled check boxes ignore it). No-op where
// styles are absent.
void UseTextColourLook(HWND control);
}  // namespace korvi

namespace korvi {
// WM_NEXTDLGCTL for a dialog-like window, as the system's dialogs answer it: the dialog
// keys (a label's mnemonic above all) move the focus with it. wParam is the control
// when lParam is non-zero, else 0 for the next and non-zero for the previous tab stop.
void NextDialogControl(HWND dialog, WPARAM wp, LPARAM lp);

// What the dialog windows answer alike, called last by their window procedures:
// DM_GETDEFID names `defaultButton` (what Enter presses), WM_NEXTDLGCTL moves the focus
// (NextDialogControl), WM_CLOSE calls `close` (the close box; the window itself stays for
// the next use); any other message goes to the default procedure.
LRESULT DialogDefaultProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp, int defaultButton,
                          const std::function<void()>& close);
}  // namespace korvi
