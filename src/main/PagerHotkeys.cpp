#include "main/PagerHotkeys.h"

namespace korvi {

void PagerHotkeys::Apply(const HotkeyTexts& texts) {
  texts_ = texts;
  keys_ = ResolveHotkeys(texts_);
}

void PagerHotkeys::Change(const HotkeySet& keys) {
  for (int32_t a = 0; a < kHotActionCount; ++a)
    if (keys[a] != keys_[a]) texts_[a] = HotkeyText(keys[a]);
  keys_ = ResolveHotkeys(texts_);
}

std::string PagerHotkeys::Register() {
  Unregister();
  std::string held;
  for (int32_t a = 0; a < kHotActionCount; ++a) {
    const Hotkey& k = keys_[a];
    if (k.Empty() || windows_.RegisterHotkey(a + 1, k.Modifiers, k.Key)) continue;
    if (!reported_.insert({a, k.Modifiers << 16 | k.Key}).second) continue;
    ((held += '\n') += HotkeyText(k)) += "  (" + HotActionCaption(a) + ")";
  }
  if (held.empty()) return held;
  return "These hotkeys are in use by another program and do not work now:\n" + held +
         "\n\nChoose other keys with \"Set Hotkeys...\".";
}

void PagerHotkeys::Unregister() {
  for (int32_t a = 0; a < kHotActionCount; ++a) windows_.UnregisterHotkey(a + 1);
}

}  // namespace korvi
