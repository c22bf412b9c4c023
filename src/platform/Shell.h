#pragma once
#include <string>

namespace korvi {

// The rest of the desktop shell that the logic drives.
class Shell {
 public:
  virtual ~Shell() = default;

  // Sets the desktop wallpaper for this session only (not written to the user profile).
  virtual void SetWallpaper(const std::string& file) = 0;
  // Shows an error message box with the program's title.
  virtual void ShowError(const std::string& text) = 0;
};

}  // namespace korvi
