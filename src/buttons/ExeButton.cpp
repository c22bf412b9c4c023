#include "buttons/ExeButton.h"

#include "util/Text.h"

namespace korvi {

namespace {
int g_constructed = 0;
}

int TExeButton::ConstructedCount() { return g_constructed; }

TExeButton::TExeButton(GlyphSource* glyphs) : glyphs_(glyphs) {
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

void TExeButton::ReloadGlyph() {
  Glyph.reset();
  if (!glyphName_.empty() && glyphs_ != nullptr) Glyph = glyphs_->LoadGlyph(glyphName_, iconIndex_);
}

}  // namespace korvi
