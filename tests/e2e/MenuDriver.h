#pragma once
// Drives the pager's command menu from outside, as a user does: right click or the
// keyboard to open it, arrow keys and Enter to choose.
#include <windows.h>

#include <functional>
#include <string>

#include "e2e/PagerSession.h"

namespace korvi::e2e {

// Positions of the menu's items as the arrow keys count them (separators are skipped).
namespace menu {
constexpr int About = 0, Help = 1, AutoHide = 2, OnTop = 3, Smooth = 4, MoveWindow = 5, GatherAll = 6,
              Sticky = 7, GatherOnExit = 8, FollowFocus = 9, DockEdge = 10, DeskCount = 11, GoTo = 12, NewExe = 13,
              NewClock = 14, NewLoad = 15, NewControl = 16, NewExplorer = 17, Configure = 18, Arrange = 19,
              MoveButton = 20, Remove = 21, PanelColor = 22, Wallpaper = 23, SetHotkeys = 24, Exit = 25;
}

// Waits until the about box has shown itself once after start-up, and closes it, so it
// covers nothing that a test clicks or looks at.
void WaitForStartupAbout();
void Key(WORD vk);
// A key pressed while `modifier` (VK_SHIFT, VK_CONTROL) is held.
void KeyWith(WORD modifier, WORD vk);
void KeyWithShift(WORD vk);
// The open popup menu, or null.
HWND OpenMenu();
// Right click at a client point of the pager; true when the menu opened.
bool RightClick(PagerSession& pager, int x, int y);
// Chooses item `index` (and `sub` in its submenu) of the open menu.
void Choose(int index, int sub = -1);
// Right click at a client point, then item `index`, until a window of `effectClass` (and
// `effectTitle`) shows:
// a busy system can drop the click or a key. The window, or null after three tries.
HWND ChooseUntilShown(PagerSession& pager, int x, int y, int index, const char* effectClass,
                      const char* effectTitle = nullptr, int timeoutMs = 5000);
// Chooses item `index` of the open menu; true when it did nothing, as a disabled item
// does: no window of `effectClass` (and `effectTitle`) showed. Closes the menu if open.
bool ChoiceRefused(int index, const char* effectClass, const char* effectTitle = nullptr);
// Clicks with the left button at a screen point.
void ClickScreen(int x, int y);
// A visible top-level window of this class (and title, when given) of any process.
HWND WaitWindow(const char* className, const char* title = nullptr, int timeoutMs = 5000);
// Whether the first top-level window of this class is shown, now.
bool Visible(const char* className);
// A window's text (up to 1023 bytes), as GetWindowText gives it.
std::string TextOf(HWND window);
// The text of a dialog's static controls, joined by "|".
std::string DialogText(HWND dialog);
// A value of the pager's settings file, as the profile functions read it.
std::string IniValue(const PagerSession& pager, const char* section, const char* key);

// The text of a control of another process (GetWindowText does not ask such a control).
std::string ControlText(HWND control);
// Sets a control's text as the program's own code would: an edit then tells its dialog
// of the change (EN_CHANGE) itself.
void SetControlText(HWND control, const std::string& text);
// Clicks a button of another process through its own BM_CLICK (posted, as the click may
// open a modal window): the button's press, release and notification path, without the
// input queue, in which Wine under load now and then drops a click.
void Press(HWND dialog, int buttonId);
// Clicks at a screen point until `done` (a click Wine dropped is given again).
bool ClickUntil(POINT at, const std::function<bool()>& done);
// Types `name` into the file name box of an open file dialog and confirms it.
void ChooseFile(HWND fileDialog, const std::string& name);

}  // namespace korvi::e2e
