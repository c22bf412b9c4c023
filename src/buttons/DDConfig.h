#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "buttons/DDImage.h"
#include "buttons/ExeButton.h"
#include "panel/data.h"
#include "platform/Colors.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

namespace korvi {

// The field controls of "Button Setup", top to bottom.
enum class ConfigControl : uint8_t {
  cbEnabled, llID,
  ssLeft, ssTop, ssWidth, ssHeight,
  ssGroup, cbAllUp,
  eeCaption, llFont, eeHint, llImage, ssIndex, rLeft, rRight, rTop, rBottom, cbFlat,
  eeProgram, eeStart, eeArgs,
  Count
};
constexpr int kConfigControlCount = static_cast<int>(ConfigControl::Count);

// The 16 change marks, one per field, in this order.
enum class ConfigMark : uint8_t {
  InUse, Left, Top, Width, Height, Flat, Group, AllowAllUp,
  Caption, Font, Hint, Image, Layout, Program, Directory, Arguments,
  Count
};
constexpr int kConfigMarkCount = static_cast<int>(ConfigMark::Count);

// What one control holds, as the logic sees it: the view shows exactly this.
struct ControlState {
  std::string Text;          // edits, read-only texts, spin edits (the typed text)
  bool Checked = false;      // check boxes and radio buttons
  int32_t MinValue = 0;      // spin edits: the range
  int32_t MaxValue = 0;
  TColor TextColor = clBlack;
};

enum class ConfirmAnswer { Yes, No, Cancel };

// "Button Setup"'s window as its logic sees it.
class ConfigDialogHost {
 public:
  virtual ~ConfigDialogHost() = default;
  // Shows the window modally until the logic lets it close (CloseQuery true).
  virtual void ShowModal() = 0;
  // A control's state (text, check, colour) changed: show it.
  virtual void ControlChanged(ConfigControl control) = 0;
  // The list's labels or its selection changed.
  virtual void ListChanged() = 0;
  // The sample button's look changed.
  virtual void SampleChanged() = 0;
  // The size of the bottom bar in which the sample is centred, in pixels.
  virtual Point BottomBarSize() = 0;
  // The widest sample that, centred in the bar, stays clear of its buttons, in pixels.
  virtual int32_t SampleRoom() = 0;
  // The confirmation question "Buttons Have Changed; Save New Parameters?" with Yes and
  // No, and Cancel when `withCancel`.
  virtual ConfirmAnswer Confirm(const std::string& text, bool withCancel) = 0;
  // The font dialog, starting at `font`; true (and `font` changed) when confirmed.
  virtual bool PickFont(TFont& font) = 0;
  // The file-open dialog in `folder` (empty: the system's choice); the chosen file's full
  // path, or nothing when cancelled.
  virtual std::optional<std::string> ChooseProgram(const std::string& folder) = 0;
  // A field's text that cannot be saved: tell the user why (`text`) and put the
  // keyboard in the field.
  virtual void Refuse(ConfigControl control, const std::string& text) = 0;
};

// "Button Setup": edits one or several buttons of the live button table at once, with a
// sample that shows the edited look. Edits collect in the controls and reach the buttons
// only when saved (Apply, or "Yes" to the save question); a save writes exactly the
// fields the user changed. The dialog writes no file: its callers save the settings
// after it returns.
//
// Use: `config.Execute(n)` with n = the button to preselect (1..128), 0 for none.
class TConfigDialog {
 public:
  static constexpr int32_t ClientWidth = 632, ClientHeight = 656;
  static constexpr const char* kSaveQuestion = "Buttons Have Changed; Save New Parameters?";

  // `button(n)`: entry n (1..128) of the live button table. `glyphs` loads the sample's
  // glyph; `images` is the image chooser behind the "Image" button.
  TConfigDialog(std::function<TExeButton&(int32_t)> button, GlyphSource* glyphs, TImageDialog& images);
  void AttachHost(ConfigDialogHost* host) { host_ = host; }

  // Creates the sample (caption "SAMPLE") and makes the dialog ready; once, at start-up.
  void FormCreate();
  // Prepares the dialog for button n (0: none selected) and shows it modally; true when
  // it has closed.
  bool Execute(int32_t n);

  // --- State --------------------------------------------------------------------------
  std::array<bool, kButtonCount + 1> Selected{};    // 1..128
  std::array<bool, kButtonCount + 1> WasEnabled{};  // 1..128, taken by Execute
  bool SampleActive = false;
  TExeButton& Sample() { return *sample_; }
  // The font dialog's font (kept between uses; the sample and a Font save use it).
  TFont FontDialog1Font{"MS Sans Serif", clWindowText, 8, false, false, false, false, 1, 0};
  // The folder the file-open dialog showed last.
  std::string OpenDialog1Folder;
  // Raised after a save has written into the buttons, so that the panel redraws them.
  std::function<void()> OnSaved;
  // Whether the settings file can hold a text; a save with a changed field it cannot
  // hold is refused at that field. Empty: every text can be saved.
  std::function<bool(const std::string&)> CanSave;
  static constexpr const char* kCannotSave =
      "The settings file is in the ANSI code page, which has no characters for some of this text, so it cannot be "
      "saved. Type it with other characters, or save the settings file as Unicode (UTF-8 or UTF-16 with a "
      "byte-order mark).";

  const ControlState& Control(ConfigControl c) const { return controls_[static_cast<int>(c)]; }
  bool Marked(ConfigMark m) const { return marks_[static_cast<int>(m)]; }
  bool AnyMark() const;
  // The list: 128 labels, entry i-1 for button i; which are selected; the current entry (0: none).
  const std::vector<std::string>& ListItems() const { return listItems_; }
  bool ListSelected(int32_t n) const { return listSelected_[n]; }
  int32_t ListCurrent() const { return listCurrent_; }

  // --- Operations -----------------------------------------------------------------------
  void FillList();
  void FillParams();
  void UpdateSample();
  // False, with nothing saved and the user told at the field, when a changed text
  // cannot be saved (CanSave).
  bool SaveParams();

  // --- What the user does (the view calls these) ------------------------------------------
  // A control's value as the user left it; raises its change handler when it changed.
  void SetText(ConfigControl c, const std::string& text);
  void SetChecked(ConfigControl c, bool checked);
  // Spin edits: the arrows (one step), and leaving the field (a value out of range snaps in).
  void SpinStep(ConfigControl c, int32_t delta);
  void SpinExit(ConfigControl c);
  // The list's selection after the user changed it (entries 1..128 selected), and the
  // entry now current; runs List1Click.
  void ListSelectionChanged(const std::vector<int32_t>& selected, int32_t current);

  // --- Event handlers -----------------------------------------------------------------------
  void List1Click();
  void bApplyClick();
  // "Close", the close box and Escape: true when the window may close.
  bool FormCloseQuery();
  void bFontClick();
  void bImageClick();
  void bProgramClick();

 private:
  ControlState& Ctl(ConfigControl c) { return controls_[static_cast<int>(c)]; }
  void Assign(ConfigControl c, const std::string& text);  // code's assignment: raises on change
  void AssignChecked(ConfigControl c, bool checked);
  void AssignSpin(ConfigControl c, int32_t value);  // clamped to the range
  int32_t Read(ConfigControl c) const;              // SpinValue of a spin edit
  void Changed(ConfigControl c);                    // the change handler of c
  void Mark(ConfigMark m, std::initializer_list<ConfigControl> blue, bool sample);
  void SetColor(ConfigControl c, TColor color);
  uint8_t CheckedLayout() const;

  std::function<TExeButton&(int32_t)> button_;
  GlyphSource* glyphs_;
  TImageDialog& images_;
  ConfigDialogHost* host_ = nullptr;
  std::unique_ptr<TExeButton> sample_;
  std::array<ControlState, kConfigControlCount> controls_{};
  std::array<bool, kConfigMarkCount> marks_{};
  std::vector<std::string> listItems_;
  std::array<bool, kButtonCount + 1> listSelected_{};
  int32_t listCurrent_ = 0;
};

}  // namespace korvi
