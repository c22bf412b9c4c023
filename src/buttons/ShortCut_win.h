#pragma once
#include <windows.h>
#include <shlobj.h>

#include "buttons/ShortCut.h"

namespace korvi {

// Reads ".lnk" files through the Windows shell link object (IShellLinkW and its
// IPersistFile). Initialises COM for the calling thread when it first reads a shortcut
// (COM's libraries load only then), until it is destroyed; make one on the user-interface
// thread and keep it until shutdown.
class Win32ShortCut : public TShortCut {
 public:
  Win32ShortCut();
  ~Win32ShortCut() override;
  Win32ShortCut(const Win32ShortCut&) = delete;
  Win32ShortCut& operator=(const Win32ShortCut&) = delete;

  // Loads and resolves the shortcut (the shell may search for a moved target) and reads
  // its path, arguments, directory and show command. False, with every text after the
  // first failing step empty, when the file is missing, damaged, names no file-system
  // target, or the name has 255 characters or more.
  bool ResolveShortcut(const std::string& fileName) override;

 private:
  void ReleaseLink();
  bool comTried_ = false, comReady_ = false;
  IShellLinkW* link_ = nullptr;
  IPersistFile* file_ = nullptr;
};

}  // namespace korvi
