#include "help/FFHelp.h"

#include "panel/data.h"
#include "platform/FileSystem.h"

namespace korvi {

void THelpForm::ShowHelp(SharedState& data) {
  if (!data.HelpLoaded) {
    LoadFromFile(data.HelpPath);
    data.HelpLoaded = true;
  }
  if (host_) host_->ShowForm();
}

void THelpForm::FormCreate() {
  CurrentFile.clear();
  CanGoBack = false;
  CanGoForward = false;
}

void THelpForm::LoadFromFile(const std::string& name) {
  if (files_.FileExists(name)) {
    if (view_) view_->Navigate(name);
  } else if (host_) {
    // The only place the status line is written: a later good load leaves it as it is.
    host_->SetStatus(kNotFound + name);
  }
  CurrentFile = name;
  if (host_) host_->SetTitle(name);
}

void THelpForm::bBackClick() {
  if (CanGoBack && view_) view_->GoBack();
}

void THelpForm::bForwardClick() {
  if (CanGoForward && view_) view_->GoForward();
}

void THelpForm::bReloadClick() {
  if (!CurrentFile.empty()) LoadFromFile(CurrentFile);
}

void THelpForm::miOpenClick() {
  std::string path;
  if (host_ && host_->ChooseFile(path)) LoadFromFile(path);
}

void THelpForm::miExitClick() {
  if (host_) host_->HideForm();
}

void THelpForm::Web1CommandStateChange(int32_t command, bool enable) {
  if (command == command_state::NavigateForward) CanGoForward = enable;
  else if (command == command_state::NavigateBack) CanGoBack = enable;
}

}  // namespace korvi
