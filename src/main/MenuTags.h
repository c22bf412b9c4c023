#pragma once
#include <cstdint>

namespace korvi {

// The command menu's item numbers. The menu is built with them, the menu's one
// handler runs the command they name, and the window sends the ones keys stand for.
namespace tag {
constexpr int32_t Opening = 0;  // the menu itself: refresh before it shows
constexpr int32_t Exit = 1, About = 2, Help = 3;
// Submenu headers: no command of their own.
constexpr int32_t DeskCountMenu = 100, DockEdgeMenu = 200, DeskSelectMenu = 300;
// "n Desktops" is DeskCount + n, "Desktop #n" is DeskSelect + n, for n = 1..10.
constexpr int32_t DeskCount = 100, DeskSelect = 300;
constexpr int32_t OnTop = 201, AutoHide = 202, Smooth = 203;
constexpr int32_t DockTop = 204, DockBottom = 205, DockLeft = 206, DockRight = 207;
constexpr int32_t NewExe = 401, NewClock = 402, NewLoad = 403, NewControl = 404, NewExplorer = 405;
constexpr int32_t RemoveButton = 406, Configure = 407;
constexpr int32_t MoveWindow = 501, PanelColor = 502, Arrange = 503, MoveButton = 504, Wallpaper = 505;
// Every window of every desktop onto the current one, and the option to do so at "Exit".
constexpr int32_t GatherAll = 506, GatherOnExit = 507;
// The hotkey dialog, and a window picked to show on all desktops (or no longer).
constexpr int32_t SetHotkeys = 508, StickyWindow = 509;
// Following the window in front to its desktop (or bringing it here).
constexpr int32_t FollowFocus = 520;
}  // namespace tag

}  // namespace korvi
