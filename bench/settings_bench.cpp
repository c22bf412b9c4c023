// Time of LoadSettings and SaveSettings on a full settings file (all 128 entries
// in use) and on hostile files at the size limit. Prints milliseconds per call.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "BenchMillis.h"
#include "panel/Settings.h"
#include "support/FakePlatform.h"

using namespace korvi;
using korvi::bench::Millis;

namespace {

void Run(const char* name, const std::string& text) {
  test::FakePlatform fake;
  SharedState data;
  data.SetProgramDir("C:\\Korvi");
  fake.Files.Files[data.SettingsPath] = text;
  PagerSettings settings;
  double load = Millis(5, [&] { settings = LoadSettings(data, fake.Files); });
  double save = Millis(5, [&] {
    fake.Files.Files[data.SettingsPath] = text;
    SaveSettings(settings, data, fake.Files, fake.Desktop);
  });
  std::printf("%-28s %8zu bytes  load %8.2f ms  save %8.2f ms\n", name, text.size(), load, save);
}

}  // namespace

int main() {
  std::string full;
  {
    test::FakePlatform fake;
    SharedState data;
    data.SetProgramDir("C:\\Korvi");
    PagerSettings settings;
    for (ButtonRecord& r : settings.Buttons) {
      const std::string n = std::to_string(&r - settings.Buttons.data() + 1);
      r.Enabled = r.Visible = true;
      r.Program = "C:\\Program Files\\Tool " + n + "\\tool.exe";
      r.Start = "C:\\Program Files\\Tool " + n + "\\";
      r.Caption = "tool";
      r.Hint = "Starts tool " + n;
    }
    SaveSettings(settings, data, fake.Files, fake.Desktop);
    full = fake.Files.Files[data.SettingsPath];
  }
  Run("all entries in use", full);

  std::string blankLines(kSettingsFileLimit, '\n');
  Run("limit of blank lines", blankLines);
  std::string sections;
  for (int i = 0; sections.size() < kSettingsFileLimit - 16; ++i) sections += "[S" + std::to_string(i) + "]\n";
  Run("limit of sections", sections);
  std::string keys = "[BUTTON1]\n";
  for (int i = 0; keys.size() < kSettingsFileLimit - 16; ++i) keys += "K" + std::to_string(i) + "=1\n";
  Run("limit of keys in BUTTON1", keys);
  std::string keysEverywhere;
  for (int n = 1; keysEverywhere.size() < kSettingsFileLimit - 64; n = n % kButtonCount + 1)
    keysEverywhere += "[BUTTON" + std::to_string(n) + "]\nVISIBLE=1\nX=1\n";
  Run("many duplicate sections", keysEverywhere);
  return 0;
}
