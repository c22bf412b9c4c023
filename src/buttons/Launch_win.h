#pragma once
#include <windows.h>

#include "buttons/PifFile.h"
#include "buttons/ShortCut_win.h"
#include "platform/Launch.h"
#include "platform/Win32Platform_win.h"

namespace korvi {

// Starts what launcher buttons hold through the Windows shell.
class Win32LaunchServices : public LaunchServices {
 public:
  // `programDir`: the pager's own folder; `owner`: the application's hidden main window.
  Win32LaunchServices(std::string programDir, HWND owner) : programDir_(std::move(programDir)), owner_(owner) {}

  bool DirectoryExists(const std::string& path) override;
  std::optional<std::string> ChooseFile(const std::string& folder) override;
  bool ResolveShortcut(const std::string& file, LaunchTarget& target) override;
  bool ReadPif(const std::string& file, LaunchTarget& target) override;
  std::string ProgramDir() override { return programDir_; }
  std::string SystemDir() override;
  std::string WindowsDir() override;
  int32_t ShellOpen(const LaunchTarget& target) override;

  // `owner`: of launched programs' shell windows; `dialogOwner`: of the file dialog.
  void SetOwner(HWND owner, HWND dialogOwner = nullptr) {
    owner_ = owner;
    dialogOwner_ = dialogOwner;
  }
  void SetProgramDir(std::string dir) { programDir_ = std::move(dir); }

 private:
  std::string programDir_;
  HWND owner_;
  HWND dialogOwner_ = nullptr;
  Win32FileSystem files_;
  Win32ShortCut shortcut_;
  TPifFile pif_;
};

}  // namespace korvi
