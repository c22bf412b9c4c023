#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "panel/HotkeyText.h"
#include "platform/WindowSystem.h"

namespace korvi {

// The pager's hotkeys: each action's key description as the settings hold it, the
// keys those give (ResolveHotkeys), and their registration with the system. Action
// `a` is registered under id a + 1, the id its key press comes back with.
class PagerHotkeys {
 public:
  explicit PagerHotkeys(WindowSystem& windows) : windows_(windows) {}

  void Apply(const HotkeyTexts& texts);
  const HotkeyTexts& Texts() const { return texts_; }
  const HotkeySet& Keys() const { return keys_; }
  // The keys the user chose. An action whose key did not change keeps its text as
  // the file had it, so an untouched line is never rewritten.
  void Change(const HotkeySet& keys);

  // Registers every key (the ones registered before are let go first). The keys
  // another program holds do not work; the one message naming all of them comes
  // back, "" when every key could be registered. A key is named once in a run: a
  // registration after the dialog names only the keys that newly fail.
  std::string Register();
  void Unregister();
  // The action a key press's id stands for; -1 for an id that is none.
  static int32_t ActionOf(int32_t id) { return id >= 1 && id <= kHotActionCount ? id - 1 : -1; }

 private:
  WindowSystem& windows_;
  HotkeyTexts texts_ = DefaultHotkeyTexts();
  HotkeySet keys_ = ResolveHotkeys(texts_);
  std::set<std::pair<int32_t, uint32_t>> reported_;  // action, modifiers and key
};

}  // namespace korvi
