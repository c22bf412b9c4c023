#pragma once
#include <windows.h>

#include "winkit/WindowProc_win.h"

#include "main/FFPos.h"

namespace korvi {

// The Win32 window of the position read-out: borderless, 298 x 82, two raised panels
// of 41 pixels each holding a centred text in Arial 10 pt bold navy.
class PosWindow : public ViewWindow, public PosHost {
 public:
  static constexpr const char* kClassName = "Korvi8Position";
  static constexpr int kPanelHeight = 41, kTextWidth = 281;

  explicit PosWindow(TPosForm& form) : form_(form) {}
  ~PosWindow() override;
  // Creates the hidden window centred on the screen; false when Windows refuses.
  bool Create(HINSTANCE instance);
  HWND Static1() const { return static1_; }
  HWND Static2() const { return static2_; }
  void Show();
  void Hide();

  // PosHost
  void ShowTexts(const std::string& top, const std::string& bottom) override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  TPosForm& form_;
  HWND static1_ = nullptr, static2_ = nullptr;
  HFONT font_ = nullptr;
  HBRUSH face_ = nullptr;
};

}  // namespace korvi
