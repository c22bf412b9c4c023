#include "buttons/DDConfig.h"

#include <algorithm>
#include <utility>

#include "panel/FontText.h"
#include "panel/IntegerText.h"
#include "util/Text.h"

namespace korvi {

namespace {

using C = ConfigControl;
using M = ConfigMark;

constexpr TColor kMaroon = 0x000080;
constexpr C kLayoutRadios[] = {C::rLeft, C::rRight, C::rTop, C::rBottom};
// The controls whose text colour shows a field's mark (all but "Enable").
constexpr C kFieldControls[] = {C::llID,    C::ssLeft,  C::ssTop,    C::ssWidth,  C::ssHeight, C::cbFlat,
                                C::ssGroup, C::cbAllUp, C::eeCaption, C::llFont,  C::eeHint,   C::llImage,
                                C::ssIndex, C::eeProgram, C::eeStart, C::eeArgs,  C::rLeft,    C::rRight,
                                C::rTop,    C::rBottom};

bool IsRadio(C c) { return c == C::rLeft || c == C::rRight || c == C::rTop || c == C::rBottom; }

}  // namespace

TConfigDialog::TConfigDialog(std::function<TExeButton&(int32_t)> button, GlyphSource* glyphs, TImageDialog& images)
    : button_(std::move(button)), glyphs_(glyphs), images_(images), listItems_(kButtonCount) {
  auto range = [&](C c, int32_t lo, int32_t hi, int32_t value) {
    Ctl(c).MinValue = lo;
    Ctl(c).MaxValue = hi;
    Ctl(c).Text = std::to_string(value);
  };
  range(C::ssLeft, 0, 2048, 0);
  range(C::ssTop, 0, 2048, 0);
  range(C::ssWidth, 8, 1024, 75);
  range(C::ssHeight, 8, 1024, 25);
  range(C::ssGroup, 0, 128, 0);
  range(C::ssIndex, 0, 1024, 0);
  Ctl(C::rLeft).Checked = true;
  Ctl(C::cbEnabled).TextColor = clRed;
}

void TConfigDialog::FormCreate() {
  // The sample loads its glyph itself, once per update (UpdateSample).
  sample_ = std::make_unique<TExeButton>(nullptr, nullptr);
  sample_->Enabled = true;
  sample_->Visible = true;
  sample_->Caption = "SAMPLE";
  sample_->ExeDisabled = true;
  if (host_) {
    const Point bar = host_->BottomBarSize();
    sample_->Left = (bar.X - sample_->Width) / 2;
    sample_->Top = (bar.Y - sample_->Height) / 2 + 4;
  }
  SampleActive = true;
}

bool TConfigDialog::Execute(int32_t n) {
  listCurrent_ = 0;
  listSelected_.fill(false);
  Selected.fill(false);
  for (int32_t i = 1; i <= kButtonCount; ++i) WasEnabled[i] = button_(i).Enabled;
  FillList();
  if (n >= 1 && n <= kButtonCount) {
    listCurrent_ = n;
    listSelected_[n] = true;
    Selected[n] = true;
  }
  if (host_) host_->ListChanged();
  FillParams();
  if (host_) host_->ShowModal();
  return true;
}

bool TConfigDialog::AnyMark() const { return std::any_of(marks_.begin(), marks_.end(), [](bool m) { return m; }); }

// --- The list and the fields ------------------------------------------------------------

void TConfigDialog::FillList() {
  for (int32_t i = 1; i <= kButtonCount; ++i) {
    const TExeButton& b = button_(i);
    std::string base;
    if (kind::IsDesktop(b.IData))
      base = "Desktop " + std::to_string(b.IData);
    else if (kind::IsClock(b.IData))
      base = "Clock";
    else if (kind::IsGauge(b.IData))
      base = "System Load";
    else
      base = b.Caption;
    listItems_[i - 1] = (b.Enabled ? "* " : "  ") + base;
  }
  // The labels change; which buttons are selected does not.
  if (host_) host_->ListChanged();
}

void TConfigDialog::FillParams() {
  int32_t source = 0, count = 0;
  for (int32_t i = kButtonCount; i >= 1; --i)
    if (Selected[i]) {
      source = i;
      ++count;
    }
  if (source) {
    const TExeButton& b = button_(source);
    AssignChecked(C::cbEnabled, b.Enabled);
    Assign(C::llID, std::to_string(source));
    AssignSpin(C::ssLeft, b.Left);
    AssignSpin(C::ssTop, b.Top);
    AssignSpin(C::ssWidth, b.Width);
    AssignSpin(C::ssHeight, b.Height);
    AssignChecked(C::cbFlat, b.Flat);
    AssignSpin(C::ssGroup, b.GroupIndex);
    AssignChecked(C::cbAllUp, b.AllowAllUp);
    Assign(C::eeCaption, b.Caption);
    Assign(C::llFont, FontToStr(&b.Font));
    Assign(C::eeHint, b.Hint);
    Assign(C::llImage, b.GlyphName());
    AssignSpin(C::ssIndex, b.IconIndex());
    Assign(C::eeProgram, b.ExeName());
    Assign(C::eeStart, b.ExeStart());
    Assign(C::eeArgs, b.ExeArgs());
    AssignChecked(kLayoutRadios[b.Layout <= 3 ? b.Layout : 0], true);
  } else {
    AssignChecked(C::cbEnabled, false);
    Assign(C::llID, "");
    AssignSpin(C::ssLeft, 0);
    AssignSpin(C::ssTop, 0);
    AssignSpin(C::ssWidth, 75);
    AssignSpin(C::ssHeight, 25);
    AssignChecked(C::cbFlat, false);
    AssignSpin(C::ssGroup, 0);
    AssignChecked(C::cbAllUp, false);
    Assign(C::eeCaption, "");
    Assign(C::llFont, "");
    Assign(C::eeHint, "");
    Assign(C::llImage, "");
    AssignSpin(C::ssIndex, 0);
    Assign(C::eeProgram, "");
    Assign(C::eeStart, "");
    Assign(C::eeArgs, "");
    AssignChecked(C::rLeft, true);
  }
  for (C c : kFieldControls) SetColor(c, clBlack);
  // A multiple selection shows at a glance.
  SetColor(C::cbEnabled, count >= 2 ? kMaroon : clRed);
  marks_.fill(false);
  // The fields' own change events update the sample only for what changed, and some of them
  // come before the picture's fields are filled: once more here, with everything in place.
  UpdateSample();
}

uint8_t TConfigDialog::CheckedLayout() const {
  for (uint8_t i = 0; i < 4; ++i)
    if (Control(kLayoutRadios[i]).Checked) return i;
  return 0;
}

void TConfigDialog::UpdateSample() {
  if (!SampleActive || !sample_) return;
  TExeButton& s = *sample_;
  s.ExeDisabled = true;
  // As wide as the button, so its caption shows as the panel shows it, as far as the bar
  // has room; no taller than the bar.
  const int32_t room = host_ ? std::max(host_->SampleRoom(), 8) : 48;
  const int32_t w = std::min(Read(C::ssWidth), room), h = std::min(Read(C::ssHeight), 48);
  const Point bar = host_ ? host_->BottomBarSize() : Point{};
  s.Left = (bar.X - w) / 2;
  s.Top = (bar.Y - h) / 2 + 4;
  s.Width = w;
  s.Height = h;
  s.Flat = Control(C::cbFlat).Checked;
  s.Font = FontDialog1Font;
  s.Caption = Control(C::eeCaption).Text;
  s.Hint = Control(C::eeHint).Text;
  s.ShowHint = !s.Hint.empty();
  const std::string& image = Control(C::llImage).Text;
  const int32_t index = Read(C::ssIndex);
  s.SetGlyphName(image);
  s.SetIconIndex(index);
  // Reloaded from the file on every update, so a changed picture file shows at once.
  if (!image.empty() && glyphs_)
    s.Glyph = glyphs_->LoadGlyph(image, index);
  else
    s.Glyph.reset();
  s.Layout = CheckedLayout();
  if (host_) host_->SampleChanged();
}

bool TConfigDialog::SaveParams() {
  // Every changed text is checked before anything is written, so a refusal saves nothing.
  if (CanSave) {
    const std::pair<M, C> texts[] = {{M::Caption, C::eeCaption}, {M::Hint, C::eeHint},     {M::Font, C::llFont},
                                     {M::Image, C::llImage},     {M::Program, C::eeProgram}, {M::Directory, C::eeStart},
                                     {M::Arguments, C::eeArgs}};
    for (const auto& [mark, control] : texts) {
      const std::string& text = mark == M::Font ? FontDialog1Font.Name : Control(control).Text;
      if (Marked(mark) && !CanSave(text)) {
        if (host_) host_->Refuse(control, kCannotSave);
        return false;
      }
    }
  }
  for (int32_t i = 1; i <= kButtonCount; ++i) {
    if (!Selected[i]) continue;
    TExeButton& b = button_(i);
    if (Marked(M::InUse)) {
      b.Visible = Control(C::cbEnabled).Checked;
      b.Enabled = Control(C::cbEnabled).Checked;
    }
    if (Marked(M::Left)) b.Left = Read(C::ssLeft);
    if (Marked(M::Top)) b.Top = Read(C::ssTop);
    if (Marked(M::Width)) b.Width = Read(C::ssWidth);
    if (Marked(M::Height)) b.Height = Read(C::ssHeight);
    if (Marked(M::Flat)) b.Flat = Control(C::cbFlat).Checked;
    if (Marked(M::Group)) b.GroupIndex = Read(C::ssGroup);
    if (Marked(M::AllowAllUp)) b.AllowAllUp = Control(C::cbAllUp).Checked;
    if (Marked(M::Caption)) b.Caption = Control(C::eeCaption).Text;
    if (Marked(M::Hint)) b.Hint = Control(C::eeHint).Text;
    if (Marked(M::Font)) b.Font = FontDialog1Font;
    b.ShowHint = !Control(C::eeHint).Text.empty();
    if (Marked(M::Image)) {
      b.SetGlyphName(Control(C::llImage).Text);
      b.SetIconIndex(Read(C::ssIndex));
    }
    if (Marked(M::Layout)) b.Layout = CheckedLayout();
    // The program's writer also resets directory, arguments, glyph and caption: the
    // fields written after it win over what it derives.
    if (Marked(M::Program)) b.SetExeName(Control(C::eeProgram).Text);
    if (Marked(M::Directory)) b.SetExeStart(Control(C::eeStart).Text);
    if (Marked(M::Arguments)) b.SetExeArgs(Control(C::eeArgs).Text);
    if (kind::IsDesktop(b.IData)) {
      // A selector's in-use state follows the desktop count, not this dialog.
      b.GroupIndex = 1001;
      b.AllowAllUp = false;
      b.Visible = WasEnabled[i];
      b.Enabled = WasEnabled[i];
    } else if (b.IData != kind::Launcher) {
      b.GroupIndex = 0;
      b.AllowAllUp = true;
    }
  }
  if (OnSaved) OnSaved();
  FillParams();
  return true;
}

// --- Controls -------------------------------------------------------------------------------

void TConfigDialog::SetColor(C c, TColor color) {
  if (Ctl(c).TextColor == color) return;
  Ctl(c).TextColor = color;
  if (host_) host_->ControlChanged(c);
}

void TConfigDialog::Assign(C c, const std::string& text) {
  if (Ctl(c).Text == text) return;
  Ctl(c).Text = text;
  if (host_) host_->ControlChanged(c);
  Changed(c);
}

void TConfigDialog::AssignChecked(C c, bool checked) {
  if (Ctl(c).Checked == checked) return;
  Ctl(c).Checked = checked;
  if (host_) host_->ControlChanged(c);
  if (IsRadio(c) && checked) {
    // One layout at a time: checking one radio button clears the others.
    for (C r : kLayoutRadios)
      if (r != c && Ctl(r).Checked) {
        Ctl(r).Checked = false;
        if (host_) host_->ControlChanged(r);
      }
  }
  // A radio button reports being checked, not being cleared by its neighbour.
  if (!IsRadio(c) || checked) Changed(c);
}

void TConfigDialog::AssignSpin(C c, int32_t value) {
  const ControlState& s = Ctl(c);
  Assign(c, std::to_string(std::clamp(value, s.MinValue, s.MaxValue)));
}

int32_t TConfigDialog::Read(C c) const {
  const ControlState& s = Control(c);
  return SpinValue({s.Text, s.MinValue, s.MaxValue});
}

void TConfigDialog::SetText(C c, const std::string& text) {
  // The read-only texts take no typing.
  if (c == C::llID || c == C::llFont || c == C::llImage) return;
  Assign(c, text);
}

void TConfigDialog::SetChecked(C c, bool checked) { AssignChecked(c, checked); }

void TConfigDialog::SpinStep(C c, int32_t delta) { AssignSpin(c, static_cast<int32_t>(std::clamp<int64_t>(
                                                                       int64_t{Read(c)} + delta, INT32_MIN, INT32_MAX))); }

void TConfigDialog::SpinExit(C c) {
  const ControlState& s = Control(c);
  const auto typed = ParseInteger(Trim(s.Text));
  if (typed && (*typed < s.MinValue || *typed > s.MaxValue)) AssignSpin(c, *typed);
}

void TConfigDialog::Mark(M m, std::initializer_list<C> blue, bool sample) {
  marks_[static_cast<int>(m)] = true;
  for (C c : blue) SetColor(c, clBlue);
  if (sample) UpdateSample();
}

void TConfigDialog::Changed(C c) {
  switch (c) {
    case C::cbEnabled: Mark(M::InUse, {C::cbEnabled}, false); break;
    case C::ssLeft: Mark(M::Left, {}, true); break;
    case C::ssTop: Mark(M::Top, {}, true); break;
    case C::ssWidth: Mark(M::Width, {}, true); break;
    case C::ssHeight: Mark(M::Height, {}, true); break;
    case C::cbFlat: Mark(M::Flat, {C::cbFlat}, true); break;
    case C::ssGroup: Mark(M::Group, {}, false); break;
    case C::cbAllUp: Mark(M::AllowAllUp, {C::cbAllUp}, false); break;
    case C::eeCaption: Mark(M::Caption, {C::eeCaption}, true); break;
    case C::eeHint: Mark(M::Hint, {C::eeHint}, true); break;
    case C::ssIndex: Mark(M::Image, {C::llImage}, true); break;
    case C::rLeft:
    case C::rRight:
    case C::rTop:
    case C::rBottom: Mark(M::Layout, {C::rLeft, C::rRight, C::rTop, C::rBottom}, true); break;
    case C::eeProgram: Mark(M::Program, {C::eeProgram}, false); break;
    case C::eeStart: Mark(M::Directory, {C::eeStart}, false); break;
    case C::eeArgs: Mark(M::Arguments, {C::eeArgs}, false); break;
    default: break;  // llID, llFont and llImage raise nothing
  }
}

// --- Event handlers --------------------------------------------------------------------------

void TConfigDialog::ListSelectionChanged(const std::vector<int32_t>& selected, int32_t current) {
  listSelected_.fill(false);
  for (int32_t n : selected)
    if (n >= 1 && n <= kButtonCount) listSelected_[n] = true;
  listCurrent_ = current >= 1 && current <= kButtonCount ? current : 0;
  List1Click();
}

void TConfigDialog::List1Click() {
  // Saved for the selection as it was before the click; "No" drops the edits. A save
  // that is refused keeps the selection the edits belong to.
  if (AnyMark() && host_ && host_->Confirm(kSaveQuestion, false) == ConfirmAnswer::Yes && !SaveParams()) {
    listSelected_ = Selected;
    host_->ListChanged();
    return;
  }
  for (int32_t i = 1; i <= kButtonCount; ++i) Selected[i] = listSelected_[i];
  FillParams();
}

void TConfigDialog::bApplyClick() {
  if (!SaveParams()) return;
  FillList();
}

bool TConfigDialog::FormCloseQuery() {
  if (!AnyMark()) return true;
  const ConfirmAnswer a = host_ ? host_->Confirm(kSaveQuestion, true) : ConfirmAnswer::No;
  if (a == ConfirmAnswer::Cancel) return false;
  return a == ConfirmAnswer::No || SaveParams();
}

void TConfigDialog::bFontClick() {
  TFont font = FontDialog1Font;
  if (!host_ || !host_->PickFont(font)) return;
  FontDialog1Font = font;
  marks_[static_cast<int>(M::Font)] = true;
  SetColor(C::llFont, clBlue);
  Assign(C::llFont, FontToStr(&FontDialog1Font));
  UpdateSample();
}

void TConfigDialog::bImageClick() {
  if (!images_.Execute()) return;
  SampleActive = false;
  Assign(C::llImage, images_.FileName);
  AssignSpin(C::ssIndex, images_.ImageIndex);
  Mark(M::Image, {C::llImage, C::ssIndex}, false);
  SampleActive = true;
  UpdateSample();
}

void TConfigDialog::bProgramClick() {
  if (!host_) return;
  const std::optional<std::string> chosen = host_->ChooseProgram(OpenDialog1Folder);
  if (!chosen) return;
  const std::string& f = *chosen;
  OpenDialog1Folder = ExtractFilePath(f);
  SampleActive = false;
  Assign(C::eeProgram, f);
  std::string dir = ExtractFilePath(f);
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  Assign(C::eeStart, dir);
  Assign(C::eeArgs, "");
  const std::string name = ExtractFileName(f);
  Assign(C::eeCaption, name.substr(0, name.find('.')));
  Assign(C::eeHint, f);
  Assign(C::llImage, f);
  AssignSpin(C::ssIndex, 0);
  for (M m : {M::Program, M::Directory, M::Arguments, M::Caption, M::Hint, M::Image}) marks_[static_cast<int>(m)] = true;
  for (C c : {C::eeProgram, C::eeStart, C::eeArgs, C::eeCaption, C::eeHint, C::llImage, C::ssIndex}) SetColor(c, clBlue);
  SampleActive = true;
  UpdateSample();
}

}  // namespace korvi
