#include "winkit/FileOpen_win.h"
#include "platform/WideText_win.h"

#include <vector>

#include "winkit/CommonDialogs_win.h"

namespace korvi {

std::optional<std::string> ChooseFileToOpen(HWND owner, const std::string& filter, const char* initialDir,
                                            DWORD flags) {
  // The dialog's own form of the filter: each part ends in a zero, the list in a second one.
  std::wstring parts = Widen(filter);
  for (wchar_t& c : parts)
    if (c == L'|') c = L'\0';
  parts += L'\0';
  const std::wstring folder = initialDir ? Widen(initialDir) : std::wstring();
  // Large enough for any path the shell hands back; starts empty each time.
  std::vector<wchar_t> file(4096, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = parts.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir ? folder.c_str() : nullptr;
  ofn.Flags = flags;
  if (!commondlg::GetOpenFileNameW(&ofn)) return std::nullopt;
  return Narrow(file.data());
}

}  // namespace korvi
