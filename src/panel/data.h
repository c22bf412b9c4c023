#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/Colors.h"
#include "platform/Font.h"

namespace korvi {

constexpr int kMaxDesktops = 10;
constexpr int kButtonCount = 128;
constexpr int kLoadSamples = 100;

// One memory-load sample: four percentages.
struct LoadSample {
  int32_t Values[4] = {0, 0, 0, 0};
};

// State that the whole pager shares for the run: paths, the desktop state, the
// per-desktop wallpapers and panel colours, and the load history.
struct SharedState {
  std::string ProgramDir;    // ends with "\"
  std::string SettingsPath;  // ProgramDir + "Korvi8.ini"
  std::string HelpPath;      // lower case of ProgramDir + "korvi8.html"
  bool HelpLoaded = false;

  // Entries 1..10 are used; entry 0 is unused so that desktop d is entry d.
  std::array<std::string, kMaxDesktops + 1> Wallpapers{};
  std::array<TColor, kMaxDesktops + 1> PanelColors{};
  int32_t DesktopCount = 4;
  int32_t CurrentDesktop = 1;

  // The settings file was there at start-up but could not be read (too large,
  // locked): the pager runs on defaults and must not save them over the user's
  // file while that file is still there.
  bool SettingsUnread = false;
  // The user was told once that saves leave that file alone.
  bool SettingsUnreadReported = false;

  std::array<LoadSample, kLoadSamples + 1> LoadHistory{};  // 1..100, 100 is newest
  int32_t LastMinute = -1;

  // Sets the program directory and the paths that derive from it.
  void SetProgramDir(const std::string& dir);
};

}  // namespace korvi
