#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "buttons/ExeButton.h"
#include "main/DDWinList.h"
#include "panel/Docking.h"
#include "panel/EdgeForm.h"
#include "panel/FormHost.h"
#include "panel/data.h"
#include "platform/Platform.h"

namespace korvi {

// The pager window: the panel with the button table, docked to a screen edge.
// Holds the rules; its Win32 view (main_win.cpp) turns messages into calls here.
class TForm1 {
 public:
  TForm1(SharedState& data, Platform& platform, TWinListDialog& winList, GlyphSource* glyphs = nullptr);

  // --- Window properties the settings file stores --------------------------------
  uint8_t DockEdge() const { return dockEdge_; }
  void SetDockEdge(uint8_t e) { dockEdge_ = e; }
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool v);

  // Entries 1..128 of the button table.
  TExeButton& Button(int n) { return *buttons_[n - 1]; }
  TEdgeForm& Edge() { return edge_; }
  SharedState& Data() { return data_; }

  // --- Desktops ------------------------------------------------------------------
  void ChangeDesktop(int32_t n);
  void DisplayWallpaper();

  // The window behind the form; null until the view attaches.
  void AttachHost(FormHost* host) { host_ = host; }
  // Handle of the pager's own window: never moved by a desktop switch.
  WindowHandle OwnWindow = 0;

  int32_t MouseX = 0, MouseY = 0;
  bool ResizeMode = false;
  int32_t HotButton = 0;
  int32_t MovingButton = 0;

 private:
  SharedState& data_;
  Platform& platform_;
  TWinListDialog& winList_;
  TEdgeForm edge_;
  std::array<std::unique_ptr<TExeButton>, kButtonCount> buttons_;
  FormHost* host_ = nullptr;
  uint8_t dockEdge_ = edge::Bottom;
  TColor color_ = clBtnFace;
  bool stayOnTop_ = false;
};

}  // namespace korvi
