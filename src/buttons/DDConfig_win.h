#pragma once
#include <windows.h>

#include "winkit/WindowProc_win.h"

#include <optional>
#include <string>

#include "buttons/DDConfig.h"

namespace korvi {

// The Win32 window of "Button Setup": the heading, the button list on the left, the
// field groups on the right and the bottom bar with "Close", the sample and "Apply".
// It shows what TConfigDialog holds and hands every user action to it. Created once,
// hidden between uses; TConfigDialog::Execute shows it.
class ConfigDialogWindow : public ViewWindow, public ConfigDialogHost {
 public:
  static constexpr const char* kClassName = "Korvi8ConfigDialog";
  // Control IDs: the field controls are kFirstField + ConfigControl.
  enum : int {
    kList = 201, kClose, kApply, kFont, kImage, kProgram, kSample, kHeading,
    kFirstField = 300,
    kFirstArrows = 400,  // up/down arrows of spin edit kFirstField + c are kFirstArrows + c
  };
  static int FieldId(ConfigControl c) { return kFirstField + static_cast<int>(c); }

  explicit ConfigDialogWindow(TConfigDialog& form) : form_(form) {}
  ~ConfigDialogWindow() override;
  // Creates the hidden window centred on the screen, owned by `owner`, and runs the
  // form's creation; false when Windows refuses.
  bool Create(HINSTANCE instance, HWND owner);
  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
  HWND Field(ConfigControl c) const { return Item(FieldId(c)); }

  // ConfigDialogHost
  void ShowModal() override;
  void ControlChanged(ConfigControl control) override;
  void ListChanged() override;
  void SampleChanged() override;
  Point BottomBarSize() override;
  int32_t SampleRoom() override;
  ConfirmAnswer Confirm(const std::string& text, bool withCancel) override;
  bool PickFont(TFont& font) override;
  std::optional<std::string> ChooseProgram(const std::string& folder) override;
  void Refuse(ConfigControl control, const std::string& text) override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void CreateControls(HINSTANCE instance);
  void Command(int id, int code, HWND from);
  void ListSelectionChanged();
  void PaintSample(HDC dc);
  void TryClose();

  TConfigDialog& form_;
  HFONT font_ = nullptr, bold_ = nullptr, heading_ = nullptr, fixed_ = nullptr;
  RECT bar_{};         // the bottom bar, client coordinates
  bool closing_ = false;   // the logic let the window close: ends the modal loop
  bool updating_ = false;  // the view is setting a control from the logic
};

}  // namespace korvi
