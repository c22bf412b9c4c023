#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace korvi {

// What the shell is asked to open: a file, its arguments, its start directory and
// how its window is shown (a Win32 show command: 1 normal, 2 minimised, 3 maximised).
struct LaunchTarget {
  std::string Program;
  std::string Args;
  std::string Directory;
  int32_t ShowCmd = 1;
};

// What a launcher button needs from the system to start something.
class LaunchServices {
 public:
  virtual ~LaunchServices() = default;

  virtual bool DirectoryExists(const std::string& path) = 0;
  // Shows the one shared file-open dialog ("All Files|*.*") in `folder`; the chosen
  // file's full name, or nothing when the user cancels.
  virtual std::optional<std::string> ChooseFile(const std::string& folder) = 0;
  // Opens up a shell shortcut (".lnk"); false when it cannot be read or resolved.
  virtual bool ResolveShortcut(const std::string& file, LaunchTarget& target) = 0;
  // Reads a PIF file's program, parameters and start directory; false when unreadable.
  virtual bool ReadPif(const std::string& file, LaunchTarget& target) = 0;
  // The folder of the pager's own executable, ending with "\".
  virtual std::string ProgramDir() = 0;
  // The system folder and the Windows folder, each ending with "\": where the
  // system programs the pager starts by name are taken from.
  virtual std::string SystemDir() = 0;
  virtual std::string WindowsDir() = 0;
  // Hands the target to the shell with the verb "open"; the shell's answer
  // (greater than 32 on success).
  virtual int32_t ShellOpen(const LaunchTarget& target) = 0;
};

}  // namespace korvi
