#include "buttons/DDImage.h"

#include "panel/IntegerText.h"
#include "util/Text.h"

namespace korvi {

bool TImageDialog::Execute() { return host_ ? host_->ShowModal() : false; }

void TImageDialog::FileListBox1Change(const std::string& folder, const std::string& name) {
  if (name.empty())
    FileName.clear();
  else
    FileName = folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
  const std::string ext = LowerCase(ExtractFileExt(FileName));
  Static1 = FileName;
  if (ext == ".dll" || ext == ".exe") {
    Spin1Enabled = true;
    Static2 = std::to_string(pictures_ ? pictures_->CountIcons(FileName) : 0) + " Images";
  } else {
    Spin1Enabled = false;
    Static2.clear();
  }
  // Setting the index to 0 and then running Spin1Change loads the preview once: the
  // change that the assignment itself would raise leads to the same picture.
  Spin1.Text = "0";
  Spin1Change();
}

void TImageDialog::Spin1Change() {
  ImageIndex = StrToIntDef(Trim(Spin1.Text), 0);
  if (pictures_) {
    const Point size = pictures_->Load(FileName, ImageIndex);
    // Only a picture larger than the box is shrunk; a small one keeps its own size.
    if (size.X > PreviewWidth || size.Y > PreviewHeight) pictures_->Fit(PreviewWidth, PreviewHeight);
    Preview = pictures_->Take();
  }
  if (host_) host_->Refresh();
}

void TImageDialog::SetSpin1Text(const std::string& text) {
  if (text == Spin1.Text) return;
  Spin1.Text = text;
  Spin1Change();
}

void TImageDialog::Spin1Typed(const std::string& text) { SetSpin1Text(text); }

void TImageDialog::Spin1Step(int32_t delta) {
  if (!Spin1Enabled) return;
  int64_t v = static_cast<int64_t>(SpinValue(Spin1)) + delta;
  if (v < Spin1.MinValue) v = Spin1.MinValue;
  if (v > Spin1.MaxValue) v = Spin1.MaxValue;
  SetSpin1Text(std::to_string(v));
}

void TImageDialog::Spin1Exit() {
  // Text that is no number stays as typed (it reads as 0); a number out of range snaps in.
  const auto typed = ParseInteger(Trim(Spin1.Text));
  if (typed && (*typed < Spin1.MinValue || *typed > Spin1.MaxValue)) SetSpin1Text(std::to_string(SpinValue(Spin1)));
}

}  // namespace korvi
