#include "buttons/ShortCut_win.h"

#include <array>

#include "platform/Win32Platform_win.h"
#include "util/Text.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {

constexpr int kTextSize = MAX_PATH;
// The shell keeps up to 1024 characters of arguments in a shortcut.
constexpr int kArgsSize = 1024 + 1;

// Where the shortcut's own file and its target are looked at.
Win32FileSystem files;

}  // namespace

Win32ShortCut::Win32ShortCut() = default;

Win32ShortCut::~Win32ShortCut() {
  ReleaseLink();
  if (comReady_) CoUninitialize();
}

void Win32ShortCut::ReleaseLink() {
  if (file_) file_->Release();
  if (link_) link_->Release();
  file_ = nullptr;
  link_ = nullptr;
}

bool Win32ShortCut::ResolveShortcut(const std::string& fileName) {
  ok_ = true;
  fileName_ = fileName;
  path_.clear();
  args_.clear();
  dir_.clear();
  showCmd_ = 0;
  if (!files.FileExists(fileName)) ok_ = false;

  // Every shell call that answers anything but S_OK (S_FALSE included) fails the read.
  auto check = [this](HRESULT hr) {
    if (hr != S_OK) ok_ = false;
  };
  // After the first failure every text comes out empty.
  std::array<wchar_t, kArgsSize> text{};
  auto take = [&]() { return ok_ ? Narrow(std::wstring_view(text.data(), wcsnlen(text.data(), text.size()))) : std::string(); };

  ReleaseLink();
  if (!comTried_) {
    comTried_ = true;
    comReady_ = SUCCEEDED(CoInitialize(nullptr));  // S_FALSE (already initialised) also needs its CoUninitialize
  }
  void* link = nullptr;
  if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, &link) == S_OK) {
    link_ = static_cast<IShellLinkW*>(link);
    void* file = nullptr;
    if (link_->QueryInterface(IID_IPersistFile, &file) == S_OK) file_ = static_cast<IPersistFile*>(file);
  }
  const std::wstring wide = Widen(fileName);
  if (!link_ || !file_ || wide.size() >= 255) {
    ok_ = false;
  } else {
    check(file_->Load(wide.c_str(), STGM_READ));
    // Never a dialog or a search of the disk for a target that moved: a launcher's click or the
    // start-up must not hang on a shortcut. The high word is the time-out in milliseconds.
    check(link_->Resolve(nullptr, SLR_NO_UI | SLR_NOSEARCH | SLR_ANY_MATCH | (1000u << 16)));

    text.fill(0);
    check(link_->GetWorkingDirectory(text.data(), kTextSize));
    dir_ = take();

    text.fill(0);
    WIN32_FIND_DATAW found{};
    check(link_->GetPath(text.data(), kTextSize, &found, SLGP_UNCPRIORITY));
    path_ = take();
    if (!path_.empty() && path_.back() != '\\' && files.DirectoryExists(path_)) path_ += '\\';

    int iconIndex = 0;
    check(link_->GetIconLocation(text.data(), kTextSize, &iconIndex));
    check(link_->GetDescription(text.data(), kTextSize));

    int show = 0;
    check(link_->GetShowCmd(&show));
    showCmd_ = show;
    // Wine 8 answers SW_SHOWNORMAL after Load whatever the file holds; Windows answers the
    // stored value. The file's fixed header holds it too, so a "normal" answer is checked there.
    if (ok_ && showCmd_ == SW_SHOWNORMAL) {
      std::string header;  // the fixed shell-link header; empty when the file cannot be read
      files.ReadFileStart(fileName, header, 0x4C);
      const Bytes bytes{reinterpret_cast<const uint8_t*>(header.data()), header.size()};
      if (auto stored = ShellLinkShowCommand(bytes); stored && *stored != SW_SHOWNORMAL) showCmd_ = *stored;
    }

    WORD hotkey = 0;
    check(link_->GetHotkey(&hotkey));

    text.fill(0);
    check(link_->GetArguments(text.data(), kArgsSize));
    args_ = take();
  }

  fileName_ = Trim(fileName_);
  dir_ = Trim(dir_);
  path_ = Trim(path_);
  args_ = Trim(args_);
  return ok_;
}

}  // namespace korvi
