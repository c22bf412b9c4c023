#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "main/DDTransparent.h"
#include "main/FFPos_win.h"
#include "main/PagerServices.h"

namespace korvi {

// The dialogs and windows of the pager's commands, as the program has them: the
// system's colour chooser and message box, the window picker, the position
// read-out, and the program's own dialogs and viewers through the hooks below.
class Win32PagerServices : public PagerServices {
 public:
  Win32PagerServices(HWND pager, TTransparentDialog& picker, PosWindow& readout)
      : pager_(pager), picker_(picker), readout_(readout) {
    for (COLORREF& c : custom_) c = RGB(255, 255, 255);
  }

  // The program's own windows; a hook left empty shows nothing (and answers no).
  std::function<bool(int32_t n)> OnConfigure;
  std::function<bool(std::string& fileName)> OnChooseImage;
  std::function<void()> OnAbout;
  std::function<void()> OnShowHelp;
  std::function<bool(HotkeySet& keys)> OnEditHotkeys;

  bool ConfigureButton(int32_t n) override { return OnConfigure && OnConfigure(n); }
  bool ChooseImage(std::string& fileName) override { return OnChooseImage && OnChooseImage(fileName); }
  bool PickColor(TColor& color) override;
  bool Confirm(const std::string& question) override;
  int32_t SelectWindow() override { return picker_.SelectWindow(); }
  bool EditHotkeys(HotkeySet& keys) override { return OnEditHotkeys && OnEditHotkeys(keys); }
  void ShowAbout() override {
    if (OnAbout) OnAbout();
  }
  void ShowHelp() override {
    if (OnShowHelp) OnShowHelp();
  }
  void ShowReadout() override { readout_.Show(); }
  void HideReadout() override { readout_.Hide(); }
  void BringPagerToTop() override;
  void EndProgram() override { ::DestroyWindow(pager_); }

 private:
  HWND pager_;
  TTransparentDialog& picker_;
  PosWindow& readout_;
  COLORREF custom_[16];  // the chooser's custom colours, kept for the run
};

}  // namespace korvi
