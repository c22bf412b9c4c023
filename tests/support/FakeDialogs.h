#pragma once
// Scripted stand-ins for the windows of the image chooser and "Button Setup", and a
// glyph source that records what it was asked to load.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "buttons/DDConfig.h"
#include "buttons/DDImage.h"

namespace korvi::test {

struct FakePicture : Picture {
  FakePicture(std::string file, int index, int w, int h) : File(std::move(file)), Index(index), W(w), H(h) {}
  int Width() const override { return W; }
  int Height() const override { return H; }
  std::string File;
  int Index;
  int W, H;
};

// Pictures of the sizes given per file (32 x 32 for any other file); icon counts per file.
class FakePictures : public GlyphSource, public PreviewSource {
 public:
  PictureRef LoadGlyph(const std::string& file, int index) override {
    Loads.push_back(file + "#" + std::to_string(index));
    Point s = SizeOf(file);
    return std::make_shared<FakePicture>(file, index, s.X, s.Y);
  }
  Point Load(const std::string& file, int32_t index) override {
    Loads.push_back(file + "#" + std::to_string(index));
    loaded_ = std::make_shared<FakePicture>(file, index, SizeOf(file).X, SizeOf(file).Y);
    return SizeOf(file);
  }
  void Fit(int32_t w, int32_t h) override {
    ++Fits;
    loaded_->W = w;
    loaded_->H = h;
  }
  PictureRef Take() override { return loaded_; }
  int32_t CountIcons(const std::string& file) override { return Icons.count(file) ? Icons[file] : 0; }

  Point SizeOf(const std::string& file) const {
    auto it = Sizes.find(file);
    return it == Sizes.end() ? Point{32, 32} : it->second;
  }
  std::map<std::string, Point> Sizes;
  std::map<std::string, int32_t> Icons;
  std::vector<std::string> Loads;
  int Fits = 0;

 private:
  std::shared_ptr<FakePicture> loaded_;
};

// The image chooser's window: ShowModal runs `User` (what the user does while it is
// open) and answers `Result`.
class FakeImageHost : public ImageDialogHost {
 public:
  bool ShowModal() override {
    ++Shown;
    if (User) User();
    return Result;
  }
  void Refresh() override { ++Refreshes; }
  std::function<void()> User;
  bool Result = true;
  int Shown = 0, Refreshes = 0;
};

// "Button Setup"'s window: ShowModal runs `User`; questions get the scripted answers
// (in order; "No" when none is left) and are recorded.
class FakeConfigHost : public ConfigDialogHost {
 public:
  void ShowModal() override {
    ++Shown;
    if (User) User();
  }
  void ControlChanged(ConfigControl) override {}
  void ListChanged() override { ++ListChanges; }
  void SampleChanged() override { ++SampleChanges; }
  Point BottomBarSize() override { return Bar; }
  int32_t SampleRoom() override { return Room; }
  ConfirmAnswer Confirm(const std::string& text, bool withCancel) override {
    Questions.push_back(text + (withCancel ? " [Yes/No/Cancel]" : " [Yes/No]"));
    if (Answers.empty()) return ConfirmAnswer::No;
    ConfirmAnswer a = Answers.front();
    Answers.erase(Answers.begin());
    return a;
  }
  bool PickFont(TFont& font) override {
    if (!FontChoice) return false;
    font = *FontChoice;
    return true;
  }
  std::optional<std::string> ChooseProgram(const std::string& folder) override {
    ProgramFolders.push_back(folder);
    return ProgramChoice;
  }
  void Refuse(ConfigControl control, const std::string& text) override { Refusals.push_back({control, text}); }

  std::function<void()> User;
  Point Bar{632, 40};
  int32_t Room = 424;  // between the bar's buttons
  std::vector<ConfirmAnswer> Answers;
  std::vector<std::string> Questions;
  std::optional<TFont> FontChoice;
  std::optional<std::string> ProgramChoice;
  std::vector<std::string> ProgramFolders;
  std::vector<std::pair<ConfigControl, std::string>> Refusals;
  int Shown = 0, ListChanges = 0, SampleChanges = 0;
};

}  // namespace korvi::test
