#include "buttons/Launch_win.h"

#include <shellapi.h>

#include "winkit/FileOpen_win.h"

namespace korvi {

bool Win32LaunchServices::DirectoryExists(const std::string& path) { return files_.DirectoryExists(path); }

std::optional<std::string> Win32LaunchServices::ChooseFile(const std::string& folder) {
  // Owned by the pager, which stays disabled while the dialog is open: one question at a time.
  return ChooseFileToOpen(dialogOwner_ ? dialogOwner_ : owner_, "All Files|*.*", folder.c_str());
}

bool Win32LaunchServices::ResolveShortcut(const std::string& file, LaunchTarget& target) {
  if (!shortcut_.ResolveShortcut(file)) return false;
  target.Program = shortcut_.ShortcutPath();
  target.Args = shortcut_.ShortcutArgs();
  target.Directory = shortcut_.ShortcutDir();
  target.ShowCmd = shortcut_.ShortcutShowCmd();
  return true;
}

bool Win32LaunchServices::ReadPif(const std::string& file, LaunchTarget& target) {
  if (!pif_.ReadPif(files_, file)) return false;
  target.Program = pif_.PifProgram();
  target.Args = pif_.PifParams();
  target.Directory = pif_.PifStartDir();
  target.ShowCmd = SW_SHOWNORMAL;
  return true;
}

namespace {
// A folder a Win32 call fills in, with its trailing "\"; empty when the call fails.
template <typename Call>
std::string FolderFrom(Call call) {
  char buffer[MAX_PATH + 1];
  const UINT n = call(buffer, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string dir(buffer, n);
  if (dir.back() != '\\') dir += '\\';
  return dir;
}
}  // namespace

std::string Win32LaunchServices::SystemDir() { return FolderFrom(::GetSystemDirectoryA); }
std::string Win32LaunchServices::WindowsDir() { return FolderFrom(::GetWindowsDirectoryA); }

int32_t Win32LaunchServices::ShellOpen(const LaunchTarget& t) {
  // The shell's own refusal dialogs stay away: a failed launch is only recorded.
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner_;
  info.lpVerb = "open";
  info.lpFile = t.Program.c_str();
  info.lpParameters = t.Args.empty() ? nullptr : t.Args.c_str();
  info.lpDirectory = t.Directory.empty() ? nullptr : t.Directory.c_str();
  info.nShow = t.ShowCmd;
  ::ShellExecuteExA(&info);
  // The same answer ShellExecuteA gives: greater than 32 on success, an error code else.
  return static_cast<int32_t>(reinterpret_cast<INT_PTR>(info.hInstApp));
}

}  // namespace korvi
