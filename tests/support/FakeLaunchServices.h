#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Launch.h"

namespace korvi::test {

// A scripted shell: folders, shortcuts and PIF files that exist, the file the dialog
// returns, and a record of every dialog shown and every target opened.
class FakeLaunchServices : public LaunchServices {
 public:
  bool DirectoryExists(const std::string& path) override { return Folders.count(path) != 0; }
  std::optional<std::string> ChooseFile(const std::string& folder) override {
    DialogFolders.push_back(folder);
    return Choice;
  }
  bool ResolveShortcut(const std::string& file, LaunchTarget& t) override {
    auto it = Shortcuts.find(file);
    if (it == Shortcuts.end()) return false;
    t = it->second;
    return true;
  }
  bool ReadPif(const std::string& file, LaunchTarget& t) override {
    auto it = Pifs.find(file);
    if (it == Pifs.end()) return false;
    t = it->second;
    return true;
  }
  std::string ProgramDir() override { return "C:\\Korvi\\"; }
  std::string SystemDir() override { return "C:\\WINDOWS\\system32\\"; }
  std::string WindowsDir() override { return "C:\\WINDOWS\\"; }
  int32_t ShellOpen(const LaunchTarget& t) override {
    Opened.push_back(t);
    return Answer;
  }

  std::map<std::string, bool> Folders;
  std::map<std::string, LaunchTarget> Shortcuts, Pifs;
  std::optional<std::string> Choice;
  std::vector<std::string> DialogFolders;
  std::vector<LaunchTarget> Opened;
  int32_t Answer = 42;
};

}  // namespace korvi::test
