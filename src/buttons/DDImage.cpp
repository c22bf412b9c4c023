#include "buttons/DDImage.h"

#include "panel/IntegerText.h"
#include "util/Text.h"

namespace korvi {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool MatchMask(std::string_view name, std::string_view mask) {
  if (mask == "*.*" || mask == "*") return true;
  // Iterative wildcard match with one backtrack point for the last "*".
  size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || Lower(mask[m]) == Lower(name[n]))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starM = m++;
      starN = n;
    } else if (starM != std::string_view::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool MatchesFilter(std::string_view name, std::string_view patterns) {
  while (!patterns.empty()) {
    const size_t semi = patterns.find(';');
    const std::string_view mask = patterns.substr(0, semi);
    if (!mask.empty() && MatchMask(name, mask)) return true;
    if (semi == std::string_view::npos) break;
    patterns.remove_prefix(semi + 1);
  }
  return false;
}

std::vector<std::string> FolderChain(std::string_view folder) {
  std::vector<std::string> chain;
  std::string path;
  size_t start = 0;
  while (start < folder.size()) {
    size_t slash = folder.find('\\', start);
    if (slash == std::string_view::npos) slash = folder.size();
    if (slash > start || path.empty()) {
      path.append(folder.substr(start, slash - start));
      path += '\\';
      chain.push_back(path);
    }
    start = slash + 1;
  }
  return chain;
}

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
  Spin1.Text.assign(1, '0');  // by count: GCC 12 warns falsely about a literal here
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
