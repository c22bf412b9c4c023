#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "buttons/ExeButton.h"
#include "main/DDWinList.h"
#include "panel/Docking.h"
#include "panel/EdgeForm.h"
#include "platform/FormHost.h"
#include "panel/data.h"
#include "platform/Platform.h"

namespace korvi {

class ClockPanel;

// The pager window: the panel with the button table, docked to a screen edge.
// Holds the rules; its Win32 view (main_win.cpp) turns messages into calls here.
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
  TExeButton& Button(int n) { return *buttons_[n - 1]; }
  TEdgeForm& Edge() { return edge_; }
  SharedState& Data() { return data_; }

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
  // One tick of the one-second timer (also run once at the end of start-up).
  void Timer1Timer();

  // --- Buttons -------------------------------------------------------------------
  // The click handler of desktop selectors, clocks and load gauges.
  void ButtonClick(TExeButton& button);
  // Lays out every button in use in rows, in table order, 4 pixels apart.
  void ArrangeButtons();
  // Sets selector n down and the others of its group up.
  void SetSelectorDown(int32_t n);

  // --- Desktops ------------------------------------------------------------------
  void ChangeDesktop(int32_t n);
  void DisplayWallpaper();

  // The real window behind the form, its docking services and screen outline.
  // Attached before FormCreate, which docks the window through them.
  void AttachHost(FormHost* host, EdgeHost* edgeHost = nullptr, ScreenOutline* outline = nullptr);

  // --- The form's own event handlers (behind the docking component's hooks) -----
  void FormMouseMove(ShiftState shift, int32_t x, int32_t y);
  void ButtonMouseMove(TExeButton& button, ShiftState shift, int32_t x, int32_t y);
  // A click on the panel background: ends move mode and saves the settings.
  void FormClick();
  void FormKeyDown(uint16_t key, ShiftState shift);

  // Handle of the pager's own window: never moved by a desktop switch.
  WindowHandle OwnWindow = 0;

  int32_t MouseX = 0, MouseY = 0;
  bool ResizeMode = false;
  int32_t HotButton = 0;
  int32_t MovingButton = 0;

 private:
  void ApplySelectorCount();

  SharedState& data_;
  Platform& platform_;
  TWinListDialog& winList_;
  TEdgeForm edge_;
  std::array<std::unique_ptr<TExeButton>, kButtonCount> buttons_;
  FormHost* host_ = nullptr;
  ClockPanel* clocks_ = nullptr;
  EdgeHost* edgeHost_ = nullptr;
  ScreenOutline* outline_ = nullptr;
  std::unique_ptr<DockedWindow> docked_;
  uint8_t dockEdge_ = edge::Bottom;
  TColor color_ = clBtnFace;
  bool stayOnTop_ = false;
};

}  // namespace korvi
