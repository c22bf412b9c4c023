#include "buttons/ExeButton.h"

#include "util/Text.h"

namespace korvi {

namespace {
int g_constructed = 0;
}

int TExeButton::ConstructedCount() { return g_constructed; }

TExeButton::TExeButton(GlyphSource* glyphs, LaunchServices* launch) : glyphs_(glyphs), launch_(launch) {
  ++g_constructed;
  name_ = "ExeButton" + std::to_string(g_constructed);
}

void TExeButton::SetExeName(const std::string& text) {
  exeName_ = Trim(text);
  SetExeStart(ExtractFilePath(exeName_));
  SetExeArgs("");
  exeState_ = TWindowState::wsNormal;
  SetGlyphName(exeName_);
  std::string file = ExtractFileName(exeName_);
  Caption = file.substr(0, file.find('.'));
}

void TExeButton::SetExeStart(const std::string& text) {
  exeStart_ = Trim(text);
  if (!exeStart_.empty() && exeStart_.back() != '\\') exeStart_ += '\\';
}

void TExeButton::SetExeArgs(const std::string& text) { exeArgs_ = Trim(text); }

void TExeButton::SetGlyphName(const std::string& text) {
  if (text == glyphName_) return;
  glyphName_ = Trim(text);
  iconIndex_ = 0;
  ReloadGlyph();
}

void TExeButton::SetIconIndex(int32_t n) {
  if (n == iconIndex_) return;
  iconIndex_ = n < 0 ? 0 : n;
  ReloadGlyph();
}

void TExeButton::Click() {
  if (OnClick) OnClick(*this);
  Execute();
}

namespace {
constexpr int32_t kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3;
}

std::string TExeButton::SystemProgramFolder(const std::string& program) const {
  const std::string name = UpperCase(program);
  if (name == "CONTROL.EXE") return launch_->SystemDir();
  if (name == "EXPLORER.EXE") return launch_->WindowsDir();
  return std::string();
}

void TExeButton::Execute() {
  exeCode_ = 0;
  if (!ExeDisabled && launch_ != nullptr) {
    LaunchTarget t;
    t.Program = Trim(exeName_);
    t.Args = Trim(exeArgs_);
    t.Directory = Trim(exeStart_);
    t.ShowCmd = exeState_ == TWindowState::wsMinimized   ? kShowMinimized
                : exeState_ == TWindowState::wsMaximized ? kShowMaximized
                                                         : kShowNormal;
    bool launch = true;
    // A folder asks for a file in it first; every click asks again.
    if (!t.Program.empty() && (t.Program.back() == '\\' || launch_->DirectoryExists(t.Program))) {
      std::optional<std::string> chosen = launch_->ChooseFile(t.Program);
      if (chosen) {
        t.Program = *chosen;
        t.Args.clear();
        t.Directory = ExtractFilePath(*chosen);
        t.ShowCmd = kShowNormal;
      } else {
        launch = false;
      }
    }
    const std::string ext = LowerCase(ExtractFileExt(t.Program));
    if (!launch || t.Program.empty()) {
      launch = false;
    } else if (ext == ".cpl") {
      // Control Panel applets run inside the control panel program, taken from the
      // system folder; the applet in quotes, so that blanks and commas do not split it.
      t.Args = "\"" + t.Program + "\"";
      t.Directory = launch_->SystemDir();
      t.Program = t.Directory + "CONTROL.EXE";
      t.ShowCmd = kShowNormal;
      launch = !t.Directory.empty();  // never a control.exe from the current folder
    } else if (const std::string folder = SystemProgramFolder(t.Program); !folder.empty()) {
      // The system programs the ready-made buttons name bare come from their own
      // folders, never from wherever the pager runs or a start folder names.
      t.Program = folder + t.Program;
      if (t.Directory.empty()) t.Directory = folder;
    } else if (ext == ".lnk") {
      LaunchTarget link;
      launch = launch_->ResolveShortcut(t.Program, link);
      if (launch) t = link;
    } else if (ext == ".pif") {
      LaunchTarget pif;
      launch = launch_->ReadPif(t.Program, pif);
      if (launch) {
        t = pif;
        t.ShowCmd = kShowNormal;
      }
    }
    if (launch) exeCode_ = launch_->ShellOpen(t);
  }
  if (OnExecute) OnExecute(*this);
}

void TExeButton::ReloadGlyph() {
  Glyph.reset();
  if (!glyphName_.empty() && glyphs_ != nullptr) Glyph = glyphs_->LoadGlyph(glyphName_, iconIndex_);
}

}  // namespace korvi
