#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "buttons/PictureCheck.h"

namespace korvi {

// Reads a shell shortcut (".lnk") into the target path, arguments, working directory
// and show command that the launcher hands to the shell. The result of the last read
// is kept until the next one (ShortCut_win.h reads through the Windows shell link object).
class TShortCut {
 public:
  virtual ~TShortCut() = default;

  // Replaces the state below; returns ShortcutOk.
  virtual bool ResolveShortcut(const std::string& fileName) = 0;

  bool ShortcutOk() const { return ok_; }
  const std::string& ShortcutPath() const { return path_; }  // "\"-terminated for a folder
  const std::string& ShortcutArgs() const { return args_; }
  const std::string& ShortcutDir() const { return dir_; }
  int32_t ShortcutShowCmd() const { return showCmd_; }  // a Win32 show-window value
  const std::string& ShortcutFileName() const { return fileName_; }

 protected:
  bool ok_ = false;
  std::string path_, args_, dir_, fileName_;
  int32_t showCmd_ = 0;
};

// The show command stored in a shell-link file's fixed header (its first 76 bytes:
// header size 0x4C, the shell link class id, ShowCommand at offset 0x3C). Values
// other than maximised (3) and minimised without activation (7) read as normal (1),
// as the file format prescribes. Nothing when the bytes are not a shell-link header.
std::optional<int32_t> ShellLinkShowCommand(Bytes file);

}  // namespace korvi
