#pragma once
#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>

namespace korvi {

// How the launchers' file dialogs behave: no read-only box, share-aware, resizable, and a
// chosen shortcut comes back as the ".lnk" itself, not what it points to.
constexpr DWORD kLauncherOpenFlags =
    OFN_HIDEREADONLY | OFN_SHAREAWARE | OFN_NODEREFERENCELINKS | OFN_ENABLESIZING | OFN_EXPLORER;

// Shows the system's file-open dialog owned by `owner`. `filter` lists descriptions and
// patterns separated by "|" ("All Files|*.*"), the first one chosen; `initialDir` is null
// for the system's choice. The chosen file's full name, or nothing when the user cancels.
std::optional<std::string> ChooseFileToOpen(HWND owner, const std::string& filter, const char* initialDir,
                                            DWORD flags = kLauncherOpenFlags);

}  // namespace korvi
