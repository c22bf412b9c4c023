// A full save of the settings (128 buttons in use) by the pager's writer, against the
// same keys written one by one through WritePrivateProfileStringA. Run under Wine or
// Windows; prints both and their ratio.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/BenchClock_win.h"
#include "panel/IniFile.h"
#include "panel/Settings.h"
#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

using namespace korvi;

int main() {
  Win32Platform platform;
  SharedState data;
  data.SetProgramDir(test::TempDir());
  PagerSettings settings;
  for (int n = 1; n <= kButtonCount; ++n) {
    ButtonRecord& r = settings.Buttons[n - 1];
    r.Enabled = r.Visible = true;
    r.Program = "C:\\Program Files\\Tools\\tool" + std::to_string(n) + ".exe";
    r.Start = "C:\\Program Files\\Tools\\";
    r.Caption = "tool" + std::to_string(n);
    r.Args = "--option " + std::to_string(n);
    r.Hint = "Starts tool number " + std::to_string(n);
  }
  test::FakeShellRecorder shell;
  const int kRounds = 5;

  double t0 = bench::WallSeconds();
  for (int r = 0; r < kRounds; ++r) SaveSettings(settings, data, platform.Files, shell);
  double ours = (bench::WallSeconds() - t0) / kRounds;

  // The same keys and values, one profile call each, into a file of their own.
  std::string text = WriteSettings(settings, "", platform.Files);
  const std::string path = test::TempDir() + "\\profile-api.ini";
  IniFile parsed = IniFile::Parse(text);
  std::vector<std::pair<std::string, std::pair<std::string, std::string>>> keys;
  {
    std::string section;
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = text.find('\n', pos);
      std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
      pos = end == std::string::npos ? text.size() : end + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > 2 && line.front() == '[') {
        section = line.substr(1, line.size() - 2);
      } else if (size_t eq = line.find('='); eq != std::string::npos) {
        std::string key = line.substr(0, eq);
        keys.push_back({section, {key, *parsed.Get(section, key)}});
      }
    }
  }
  t0 = bench::WallSeconds();
  for (int r = 0; r < kRounds; ++r)
    for (auto& [section, kv] : keys)
      ::WritePrivateProfileStringA(section.c_str(), kv.first.c_str(), kv.second.c_str(), path.c_str());
  double api = (bench::WallSeconds() - t0) / kRounds;
  std::printf("full save, %zu keys: ours %.2f ms, WritePrivateProfileStringA one by one %.2f ms, ratio %.3f\n",
              keys.size(), ours * 1e3, api * 1e3, ours / api);
  return shell.Errors.empty() ? 0 : 1;
}
