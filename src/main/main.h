#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "buttons/ExeButton.h"
#include "main/ButtonTable.h"
#include "main/DDWinList.h"
#include "main/Desktops.h"
#include "main/FFPos.h"
#include "main/FocusFollow.h"
#include "main/MenuTags.h"
#include "main/PagerHotkeys.h"
#include "main/PagerServices.h"
#include "main/PanelPointer.h"
#include "main/PopupMenu.h"
#include "panel/Docking.h"
#include "panel/EdgeForm.h"
#include "panel/PagerSettings.h"
#include "panel/Settings.h"
#include "panel/data.h"
#include "platform/FormHost.h"
#include "platform/Platform.h"

namespace korvi {

class ClockPanel;

// The pager window: the panel with the button table, docked to a screen edge.
// A facade over the pager's rooms, each holding its own rules: the desktops
// (Desktops.h), the button table (ButtonTable.h), the mouse on the panel
// (PanelPointer.h) and the command menu (MenuTags.h, CommandMenu.cpp). Its Win32
// view (PagerWindow_win.cpp) turns messages into calls here.
class TForm1 {
 public:
  TForm1(SharedState& data, Platform& platform, TWinListDialog& winList, GlyphSource* glyphs = nullptr,
         LaunchServices* launch = nullptr);

  // --- Window properties the settings file stores --------------------------------
  // Docking edge 1..4 (top, bottom, left, right); setting it re-docks the window.
  uint8_t DockEdge() const { return docked_ ? docked_->Edge() : dockEdge_; }
  void SetDockEdge(uint8_t e);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool v);

  // Entries 1..128 of the button table.
  TExeButton& Button(int n) { return table_.Button(n); }
  const TExeButton& Button(int n) const { return table_.Button(n); }
  TEdgeForm& Edge() { return edge_; }
  SharedState& Data() { return data_; }

  // --- The settings --------------------------------------------------------------
  // The settings given to the live pager, in the order start-up reads them: the
  // docking and panel, the desktops, then the buttons with the selectors made again.
  void Apply(const PagerSettings& settings);
  // The live pager as settings.
  PagerSettings Snapshot() const;

  // Start-up of the whole program (the steps that are not the window's own):
  // paths, the button table and its selectors, the settings, desktop 1 shown.
  // `programDir` is the folder of the running executable.
  void FormCreate(const std::string& programDir);
  // Form size as designed; the view centres the window with it before docking.
  static constexpr int32_t DesignWidth = 696, DesignHeight = 142;
  // Client width of the pager window, as the layout sees it.
  int32_t Width() const { return host_ ? host_->Bounds().Width() : DesignWidth; }

  // The clocks and load gauges that the one-second timer redraws.
  void AttachClocks(ClockPanel* clocks) { clocks_ = clocks; }
  const ClockPanel* Clocks() const { return clocks_; }
  // One tick of the one-second timer (also run once at the end of start-up).
  void Timer1Timer();

  // --- Buttons -------------------------------------------------------------------
  // The click handler of desktop selectors, clocks and load gauges.
  void ButtonClick(TExeButton& button);
  // Lays out every button in use in rows, in table order, 4 pixels apart.
  void ArrangeButtons();
  // Sets selector n down and the others of its group up.
  void SetSelectorDown(int32_t n);
  // Takes the first free entry of 11..128: enabled, shown, otherwise as it was.
  // HotButton names it afterwards, or is 0 when every entry is in use.
  void NewButton();
  // The ready-made kinds the menu adds, given to the entry NewButton took.
  using SetUp = ButtonTable::Kind;
  void SetUpButton(TExeButton& button, SetUp kind);
  // Move mode for HotButton: the mouse or the arrow keys move its bottom right
  // corner, or size it with Shift; a background click, Enter or Tab ends it.
  void MoveButton();
  // Ends move mode as a click on the bare panel does (the buttons back, the panel
  // released, the settings saved); nothing outside move mode. The menu and a drop
  // run it first: they would otherwise act on a table whose buttons all look free.
  void EndMoveMode();
  // Applies the tracked mouse point to the button in move mode.
  void UpdateMouse();
  // A file dropped on the panel at client point (x, y) becomes a launcher there,
  // set up in "Button Setup", then saved. Only the first file of a drop counts.
  void DropFiles(const std::string& fileName, int32_t x, int32_t y);

  // --- The command menu ---------------------------------------------------------
  // The windows and dialogs the commands open, and the position read-out of move mode.
  void AttachCommands(PagerServices* services, TPosForm* pos) {
    services_ = services;
    pos_ = pos;
  }
  TPopupMenu Popup1 = MakePopup1();
  // The menu's one handler: tag 0 is the menu opening (checks, captions and enabled
  // states are refreshed); any other tag runs that item's command.
  void Popup1Popup(int32_t tag);
  // Shift+F10 and the context-menu key open the menu from the keyboard.
  static bool IsMenuKey(uint16_t key, ShiftState shift);
  // Before the menu opens from the keyboard: the button under the mouse pointer is
  // hot, or the bare panel when the pointer is elsewhere.
  void HotFromPointer(bool insidePanel, int32_t x, int32_t y);
  // Where the menu opened from the keyboard stands, in client coordinates, once
  // HotFromPointer has run: below the hot button, as a keyboard user expects it;
  // else at the pointer on the panel, or near the panel's corner when the pointer
  // is elsewhere.
  Point KeyboardMenuPoint(bool insidePanel, int32_t x, int32_t y) const;

  // --- The panel's mouse (client coordinates, as the window reports it) ---------
  // The button under a point: later entries lie on top of earlier ones, and
  // disabled or hidden buttons let the mouse through to the panel. 0: the panel.
  int32_t ButtonAt(int32_t x, int32_t y) const;
  void PanelMouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y);
  void PanelMouseMove(ShiftState shift, int32_t x, int32_t y);
  // A release; `inside` tells whether the point lies in the client area. True when
  // the release opens the command menu (the right button).
  bool PanelMouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y, bool inside);
  // The mouse capture went to another window: no click follows.
  void PanelCaptureLost() { pointer_.CaptureLost(); }
  // The button held down by the left mouse button, 0 for none.
  int32_t PressedButton() const { return pointer_.Pressed(); }
  // Drawn pressed: down by its group, or held by the mouse with the pointer over it.
  bool ShownDown(const TExeButton& b) const { return pointer_.ShownDown(b); }
  // While the docking component slides the panel, the buttons are not there:
  // they take no mouse and are not drawn. Holding them forgets a press.
  bool ButtonsHeld() const { return pointer_.Held(); }
  void HoldButtons();
  void ReleaseButtons();

  // --- Desktops ------------------------------------------------------------------
  // Shows desktop n; `carried`, when given, goes along (see PagerDesktops::Change).
  void ChangeDesktop(int32_t n, WindowHandle carried = 0);
  void DisplayWallpaper();
  // Every window of every desktop onto the current one (see PagerDesktops::GatherAll).
  void GatherAll();
  // The session ends (logoff or shutdown) while the windows' programs may still save
  // their places: every window of every desktop onto the screen, waiting at most `ms`
  // milliseconds in all for programs that do not carry the moves out.
  void EndSession(int32_t ms);
  // The option "Gather Windows on Exit".
  bool GatherOnExit() const { return gatherOnExit_; }
  // "Follow Focus" (FocusFollow.h): its mode, the timer's look at the window in
  // front, and the period that timer is wanted at now (0: not at all).
  int32_t FollowFocus() const { return follow_.Mode(); }
  void FollowCheck() { follow_.Check(); }
  int32_t FollowPeriod() const { return follow_.CheckPeriod(); }
  // Told when a notice of the system wants the timer started.
  void OnFollowPeriodChange(std::function<void()> told) { follow_.OnPeriodChange = std::move(told); }

  // --- Hotkeys and windows on all desktops (HotkeyCommands.cpp) -----------------
  // Registers the hotkeys once the pager's windows exist; keys other programs hold
  // are named in one message.
  void RegisterHotkeys();
  // A hotkey was pressed: `id` as PagerHotkeys registered it.
  void RunHotkey(int32_t id);
  StickyWindows& Sticky() { return desktops_.Sticky(); }

  // The real window behind the form, its docking services and screen outline.
  // Attached before FormCreate, which docks the window through them.
  void AttachHost(FormHost* host, EdgeHost* edgeHost = nullptr, ScreenOutline* outline = nullptr);

  // --- The form's own event handlers (behind the docking component's hooks) -----
  void FormMouseMove(ShiftState shift, int32_t x, int32_t y);
  void ButtonMouseMove(TExeButton& button, ShiftState shift, int32_t x, int32_t y);
  // A click on the panel background: ends move mode and saves the settings.
  void FormClick();
  void FormKeyDown(uint16_t key, ShiftState shift);
  // Virtual key codes the pager knows.
  static constexpr uint16_t vkTab = 9, vkReturn = 13, vkLeft = 37, vkUp = 38, vkRight = 39, vkDown = 40;
  static constexpr uint16_t vkApps = 0x5D, vkF1 = 0x70, vkF10 = 0x79;

  // Handle of the pager's own window: never moved by a desktop switch.
  WindowHandle OwnWindow = 0;

  int32_t MouseX = 0, MouseY = 0;
  bool ResizeMode = false;
  int32_t HotButton = 0;
  int32_t MovingButton = 0;

 private:
  void RefreshMenu();
  // Runs the command of a menu item.
  void RunCommand(int32_t tag);
  void SetDeskCount(int32_t count);
  void MoveWindowToDesktop();
  void SetPanelColor();
  void SetWallpaper();
  void SetHotkeys();
  void ToggleStickyWindow();
  // Shows desktop n as its selector's click does, with `carried` going along.
  void ShowDesktop(int32_t n, WindowHandle carried = 0);
  // The active window when the hotkeys may move it: not the pager's own windows.
  WindowHandle ActiveWindow();
  void RemoveButton();
  void ConfigureButton(int32_t n);
  void LoadSettings();
  void Save(SaveMoment moment = SaveMoment::Running);
  void Repaint() {
    if (host_) host_->Repaint();
  }

  SharedState& data_;
  Platform& platform_;
  TEdgeForm edge_;
  ButtonTable table_;
  PagerDesktops desktops_;
  PagerHotkeys hotkeys_{platform_.Windows};
  PanelPointer pointer_{table_};
  FocusFollow follow_;
  FormHost* host_ = nullptr;
  ClockPanel* clocks_ = nullptr;
  EdgeHost* edgeHost_ = nullptr;
  ScreenOutline* outline_ = nullptr;
  std::unique_ptr<DockedWindow> docked_;
  uint8_t dockEdge_ = edge::Bottom;
  TColor color_ = clBtnFace;
  bool stayOnTop_ = false;
  bool gatherOnExit_ = false;
  PagerServices* services_ = nullptr;
  TPosForm* pos_ = nullptr;
};

}  // namespace korvi
