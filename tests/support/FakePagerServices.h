#pragma once
#include <functional>
#include <string>
#include <vector>

#include "main/PagerServices.h"

namespace korvi::test {

// Scripted answers for the dialogs the pager's commands open, and a log of what was
// opened, in order ("config 11", "color", "confirm Remove Button 15?", ...).
// `During` runs inside every modal call, so a test can look at the pager meanwhile
// (or throw, as a failing dialog would).
class FakePagerServices : public PagerServices {
 public:
  bool ConfigureButton(int32_t n) override {
    Log.push_back("config " + std::to_string(n));
    Modal();
    return ConfigAnswer;
  }
  bool ChooseImage(std::string& fileName) override {
    Log.push_back("image");
    Modal();
    if (ImageAnswer) fileName = ImageFile;
    return ImageAnswer;
  }
  bool PickColor(TColor& color) override {
    Log.push_back("color");
    OfferedColor = color;
    Modal();
    if (ColorAnswer) color = ChosenColor;
    return ColorAnswer;
  }
  bool Confirm(const std::string& question) override {
    Log.push_back("confirm " + question);
    Modal();
    return ConfirmAnswer;
  }
  int32_t SelectWindow() override {
    Log.push_back("pick");
    Modal();
    return PickedEntry ? PickedEntry() : 0;
  }
  bool EditHotkeys(HotkeySet& keys) override {
    Log.push_back("hotkeys");
    Modal();
    return HotkeyAnswer && HotkeyAnswer(keys);
  }
  void ShowAbout() override { Log.push_back("about"); }
  void ShowHelp() override { Log.push_back("help"); }
  void ShowReadout() override { Log.push_back("show readout"); }
  void HideReadout() override { Log.push_back("hide readout"); }
  void BringPagerToTop() override { Log.push_back("to top"); }
  void EndProgram() override { Log.push_back("end"); }

  bool ConfigAnswer = true, ImageAnswer = true, ColorAnswer = true, ConfirmAnswer = true;
  std::string ImageFile;
  TColor ChosenColor = 0, OfferedColor = -1;
  std::function<int32_t()> PickedEntry;
  std::function<bool(HotkeySet&)> HotkeyAnswer;  // edits the keys; true for OK
  std::function<void()> During;
  std::vector<std::string> Log;

 private:
  void Modal() {
    if (During) During();
  }
};

}  // namespace korvi::test
