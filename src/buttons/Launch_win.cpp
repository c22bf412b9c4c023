#include "buttons/Launch_win.h"

#include <shellapi.h>

#include "winkit/FileOpen_win.h"
#include "platform/WideText_win.h"

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
  // The record's texts are single bytes in the code page; the program's text is UTF-8.
  target.Program = files_.AnsiToUtf8(pif_.PifProgram());
  target.Args = files_.AnsiToUtf8(pif_.PifParams());
  target.Directory = files_.AnsiToUtf8(pif_.PifStartDir());
  target.ShowCmd = SW_SHOWNORMAL;
  return true;
}

namespace {
// A folder a Win32 call fills in, with its trailing "\"; empty when the call fails.
template <typename Call>
std::string FolderFrom(Call call) {
  wchar_t buffer[MAX_PATH + 1];
  const UINT n = call(buffer, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string dir = Narrow(std::wstring_view(buffer, n));
  if (dir.back() != '\\') dir += '\\';
  return dir;
}
}  // namespace

std::string Win32LaunchServices::SystemDir() { return FolderFrom(::GetSystemDirectoryW); }
std::string Win32LaunchServices::WindowsDir() { return FolderFrom(::GetWindowsDirectoryW); }

int32_t Win32LaunchServices::ShellOpen(const LaunchTarget& t) {
  // The shell's own refusal dialogs stay away: a failed launch is only recorded.
  const std::wstring program = Widen(t.Program), args = Widen(t.Args), directory = Widen(t.Directory);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner_;
  info.lpVerb = L"open";
  info.lpFile = program.c_str();
  info.lpParameters = args.empty() ? nullptr : args.c_str();
  info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
  info.nShow = t.ShowCmd;
  ::ShellExecuteExW(&info);
  // The same answer ShellExecute gives: greater than 32 on success, an error code else.
  return static_cast<int32_t>(reinterpret_cast<INT_PTR>(info.hInstApp));
}

}  // namespace korvi
