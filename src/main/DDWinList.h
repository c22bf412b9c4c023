#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/WindowSystem.h"

namespace korvi {

// One entry of the window table. Coordinates are kept in the order left, right, top, bottom.
struct TWinData {
  WindowHandle Handle = 0;  // 0 marks an empty entry
  int32_t Left = 0;
  int32_t Right = 0;
  int32_t Top = 0;
  int32_t Bottom = 0;
  std::string Title;  // at most 127 characters
};

constexpr int kWinListSize = 128;

// The window table: a snapshot of the root window and the visible, non-minimised
// top-level windows in Z-order from the top. Entries are numbered 1..128.
class TWinListDialog {
 public:
  explicit TWinListDialog(WindowSystem& windows) : windows_(windows) {}

  void Load();
  void GetWindowInfo(WindowHandle handle, TWinData& entry);
  // Shifts entry `index` by the screen width times (from - to) and moves its window.
  void MoveWindowInfo(int32_t from, int32_t to, int32_t index);
  // Brings windows lying wholly off one side of the screen back within reach:
  // off the left side when AtFirst, off the right side otherwise.
  void Normalize(bool AtFirst);

  TWinData& Entry(int index) { return WinList[index - 1]; }
  const TWinData& Entry(int index) const { return WinList[index - 1]; }

  WindowHandle RootWindow = 0;
  std::array<TWinData, kWinListSize> WinList{};

 private:
  void MoveToEntry(const TWinData& e);

  WindowSystem& windows_;
};

}  // namespace korvi
