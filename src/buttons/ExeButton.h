#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "panel/PagerSettings.h"
#include "platform/Launch.h"
#include "platform/Font.h"
#include "platform/Picture.h"

namespace korvi {

// Show state asked of a launched program.
enum class TWindowState : uint8_t { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// Kind codes of a button (IData).
namespace kind {
constexpr int32_t Launcher = 0;
constexpr int32_t FirstDesktop = 1, LastDesktop = 10;
constexpr int32_t FirstClock = 1000, LastClock = 1004;
constexpr int32_t FirstGauge = 2000, LastGauge = 2001;
inline bool IsDesktop(int32_t d) { return d >= FirstDesktop && d <= LastDesktop; }
inline bool IsClock(int32_t d) { return d >= FirstClock && d <= LastClock; }
inline bool IsGauge(int32_t d) { return d >= FirstGauge && d <= LastGauge; }
}  // namespace kind

// One button of the panel: a flat-capable push button with a caption and a glyph
// that launches a file through the shell when clicked. The pager draws it (the
// button has no window of its own); this class holds its state and rules.
class TExeButton {
 public:
  using NotifyEvent = std::function<void(TExeButton& sender)>;

  explicit TExeButton(GlyphSource* glyphs = nullptr, LaunchServices* launch = nullptr);
  TExeButton(const TExeButton&) = delete;
  TExeButton& operator=(const TExeButton&) = delete;

  // Component name "ExeButton" + running count of buttons made in this process.
  const std::string& Name() const { return name_; }
  static int ConstructedCount();

  // --- Launch fields -------------------------------------------------------------
  const std::string& ExeName() const { return exeName_; }
  // Also resets ExeStart (to the name's folder), ExeArgs, ExeState, GlyphName and
  // the caption (file name cut before its first ".").
  void SetExeName(const std::string& text);
  const std::string& ExeStart() const { return exeStart_; }
  void SetExeStart(const std::string& text);  // trimmed; gains a trailing "\"
  const std::string& ExeArgs() const { return exeArgs_; }
  void SetExeArgs(const std::string& text);
  TWindowState ExeState() const { return exeState_; }
  void SetExeState(TWindowState s) { exeState_ = s; }
  int32_t ExeCode() const { return exeCode_; }
  const std::string& GlyphName() const { return glyphName_; }
  void SetGlyphName(const std::string& text);
  int32_t IconIndex() const { return iconIndex_; }
  void SetIconIndex(int32_t n);

  bool ExeDisabled = false;
  int32_t IData = 0;
  NotifyEvent OnClick;
  NotifyEvent OnExecute;
  NotifyEvent OnMouseMove;

  // --- The push button ------------------------------------------------------------
  int32_t Tag = 0;
  bool Enabled = true;
  bool Visible = true;
  int32_t Left = 0, Top = 0, Width = 23, Height = 22;
  bool Flat = false;
  std::string Caption;
  std::string Hint;
  bool ShowHint = false;
  uint8_t Layout = 0;  // GlyphLayout; only the low byte of a stored value is kept
  TFont Font;
  int32_t GroupIndex = 0;
  bool Down = false;
  bool AllowAllUp = false;
  PictureRef Glyph;  // empty: no glyph

  // The click of the button: its OnClick handler first (if any), then Execute.
  void Click();
  // Launches ExeName (see Launch.h for what the system is asked), unless ExeDisabled;
  // then raises OnExecute. Works on copies: the stored fields never change here.
  void Execute();

 private:
  // The folder of a system program named bare ("CONTROL.EXE", "EXPLORER.EXE"); empty
  // for any other name.
  std::string SystemProgramFolder(const std::string& program) const;
  void ReloadGlyph();

  GlyphSource* glyphs_;
  LaunchServices* launch_;
  std::string name_;
  std::string exeName_, exeStart_, exeArgs_, glyphName_;
  TWindowState exeState_ = TWindowState::wsNormal;
  int32_t exeCode_ = 0;
  int32_t iconIndex_ = 0;
};

}  // namespace korvi
