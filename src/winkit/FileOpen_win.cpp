#include "winkit/FileOpen_win.h"

#include <vector>

#include "winkit/CommonDialogs_win.h"

namespace korvi {

std::optional<std::string> ChooseFileToOpen(HWND owner, const std::string& filter, const char* initialDir,
                                            DWORD flags) {
  // The dialog's own form of the filter: each part ends in a zero, the list in a second one.
  std::string parts = filter;
  for (char& c : parts)
    if (c == '|') c = '\0';
  parts += '\0';
  // Large enough for any path the shell hands back; starts empty each time.
  std::vector<char> file(4096, '\0');
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = parts.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir;
  ofn.Flags = flags;
  if (!commondlg::GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(file.data());
}

}  // namespace korvi
