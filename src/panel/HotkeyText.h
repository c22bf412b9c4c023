#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvi {

// A key with its modifiers, as the system's hotkey registration takes it: the
// modifier bits below and a virtual-key code. Key 0 means "no key".
namespace hotmod {
constexpr uint32_t Alt = 1, Ctrl = 2, Shift = 4, Win = 8;
}
struct Hotkey {
  uint32_t Modifiers = 0;
  uint16_t Key = 0;
  bool Empty() const { return Key == 0; }
  bool operator==(const Hotkey&) const = default;
};

// Reads a key description in the form users read it ("Ctrl+Alt+F3"): modifiers in
// any order and spelling case, blanks around the "+" allowed, then one key name.
// A blank text is the empty key; nullopt when the text names no key.
std::optional<Hotkey> ParseHotkey(std::string_view text);
// The description of a key in the one form the pager writes: Ctrl, Alt, Shift, Win,
// then the key ("Ctrl+Alt+Shift+Right"); "" for the empty key.
std::string HotkeyText(const Hotkey& key);

// The actions a hotkey runs, numbered 0..kHotActionCount-1 in the order below.
namespace hot {
constexpr int32_t Desktop = 0;   // Desktop + n - 1: show desktop n (1..10)
constexpr int32_t Next = 10, Previous = 11;
constexpr int32_t Send = 12;     // Send + n - 1: move the active window to desktop n
constexpr int32_t SendNext = 22, SendPrevious = 23;
constexpr int32_t Gather = 24, Pin = 25;
}  // namespace hot
constexpr int32_t kHotActionCount = 26;

// The key name of action `a` in the [HOTKEYS] section ("DESKTOP1", "SENDNEXT", ...).
std::string HotActionName(int32_t a);
// What the action does, as the hotkey dialog labels it.
std::string HotActionCaption(int32_t a);
// The action's key when the settings give none that can be used.
Hotkey DefaultHotkey(int32_t a);

using HotkeyTexts = std::array<std::string, kHotActionCount>;
using HotkeySet = std::array<Hotkey, kHotActionCount>;
HotkeyTexts DefaultHotkeyTexts();
// The keys the texts give: a text that names no key gives the action its default, and
// a key an earlier action already has is not given twice (the later action takes its
// default when that is free, else none). An empty text is no key.
HotkeySet ResolveHotkeys(const HotkeyTexts& texts);

}  // namespace korvi
