#include "panel/HotkeyText.h"

#include <cctype>

namespace korvi {

namespace {

// Virtual-key codes by the names the descriptions use. Letters and digits are their
// own codes; F1..F24 are 0x70 onwards.
struct KeyName {
  const char* name;
  uint16_t key;
};
constexpr KeyName kNames[] = {
    {"Left", 0x25},      {"Right", 0x27},    {"Up", 0x26},       {"Down", 0x28},     {"Home", 0x24},
    {"End", 0x23},       {"PageUp", 0x21},   {"PageDown", 0x22}, {"Insert", 0x2D},   {"Delete", 0x2E},
    {"Space", 0x20},     {"Tab", 0x09},      {"Enter", 0x0D},    {"Esc", 0x1B},      {"Backspace", 0x08},
    {"Pause", 0x13},     {"PrintScreen", 0x2C}, {"NumLock", 0x90}, {"ScrollLock", 0x91},
    {"Num*", 0x6A},      {"Num+", 0x6B},     {"Num-", 0x6D},     {"Num.", 0x6E},     {"Num/", 0x6F},
};
// Other spellings read, never written.
constexpr KeyName kAliases[] = {
    {"PgUp", 0x21}, {"PgDn", 0x22}, {"Ins", 0x2D}, {"Del", 0x2E}, {"Return", 0x0D}, {"Escape", 0x1B},
};

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

uint32_t ModifierOf(std::string_view w) {
  if (SameWord(w, "Ctrl") || SameWord(w, "Control")) return hotmod::Ctrl;
  if (SameWord(w, "Alt")) return hotmod::Alt;
  if (SameWord(w, "Shift")) return hotmod::Shift;
  if (SameWord(w, "Win") || SameWord(w, "Windows")) return hotmod::Win;
  return 0;
}

// "1".."24" as a number, else 0.
int SmallNumber(std::string_view s) {
  if (s.empty() || s.size() > 2) return 0;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

uint16_t KeyOf(std::string_view w) {
  if (w.size() == 1) {
    const unsigned char c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(w[0])));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
  }
  if (w.size() >= 2 && (w[0] == 'F' || w[0] == 'f')) {
    const int n = SmallNumber(w.substr(1));
    if (n >= 1 && n <= 24 && w[1] != '0') return static_cast<uint16_t>(0x70 + n - 1);
  }
  if (w.size() == 4 && SameWord(w.substr(0, 3), "Num") && w[3] >= '0' && w[3] <= '9')
    return static_cast<uint16_t>(0x60 + (w[3] - '0'));
  for (const KeyName& k : kNames)
    if (SameWord(w, k.name)) return k.key;
  for (const KeyName& k : kAliases)
    if (SameWord(w, k.name)) return k.key;
  return 0;
}

std::string NameOf(uint16_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  // Written out digit by digit: GCC 12 warns falsely (-Wrestrict) on "F" + to_string.
  const auto numbered = [](const char* head, int n) {
    std::string s = head;
    if (n >= 10) s.push_back(static_cast<char>('0' + n / 10));
    s.push_back(static_cast<char>('0' + n % 10));
    return s;
  };
  if (key >= 0x70 && key <= 0x87) return numbered("F", key - 0x70 + 1);
  if (key >= 0x60 && key <= 0x69) return numbered("Num", key - 0x60);
  for (const KeyName& k : kNames)
    if (k.key == key) return k.name;
  return {};
}

}  // namespace

std::optional<Hotkey> ParseHotkey(std::string_view text) {
  text = Trim(text);
  Hotkey k;
  if (text.empty()) return k;
  // The last "+" that has a word before it ends the modifiers, so "Ctrl+Num+" names
  // the keypad's plus key.
  for (;;) {
    size_t plus = text.find('+');
    while (plus != std::string_view::npos && Trim(text.substr(0, plus)).empty()) plus = text.find('+', plus + 1);
    const std::string_view head = plus == std::string_view::npos ? text : Trim(text.substr(0, plus));
    const uint32_t m = plus == std::string_view::npos ? 0 : ModifierOf(head);
    if (m == 0) break;
    if (k.Modifiers & m) return std::nullopt;  // named twice
    k.Modifiers |= m;
    text = Trim(text.substr(plus + 1));
  }
  k.Key = KeyOf(text);
  if (k.Key == 0) return std::nullopt;
  return k;
}

std::string HotkeyText(const Hotkey& k) {
  if (k.Empty()) return {};
  std::string name = NameOf(k.Key);
  if (name.empty()) return {};
  std::string s;
  if (k.Modifiers & hotmod::Ctrl) s += "Ctrl+";
  if (k.Modifiers & hotmod::Alt) s += "Alt+";
  if (k.Modifiers & hotmod::Shift) s += "Shift+";
  if (k.Modifiers & hotmod::Win) s += "Win+";
  return s + name;
}

std::string HotActionName(int32_t a) {
  if (a >= hot::Desktop && a < hot::Desktop + 10) return "DESKTOP" + std::to_string(a - hot::Desktop + 1);
  if (a >= hot::Send && a < hot::Send + 10) return "SEND" + std::to_string(a - hot::Send + 1);
  switch (a) {
    case hot::Next: return "NEXT";
    case hot::Previous: return "PREVIOUS";
    case hot::SendNext: return "SENDNEXT";
    case hot::SendPrevious: return "SENDPREVIOUS";
    case hot::Gather: return "GATHER";
    case hot::Pin: return "PIN";
    default: return {};
  }
}

std::string HotActionCaption(int32_t a) {
  if (a >= hot::Desktop && a < hot::Desktop + 10) return "Desktop " + std::to_string(a - hot::Desktop + 1);
  if (a >= hot::Send && a < hot::Send + 10) return "Send to Desktop " + std::to_string(a - hot::Send + 1);
  switch (a) {
    case hot::Next: return "Next Desktop";
    case hot::Previous: return "Previous Desktop";
    case hot::SendNext: return "Send to Next";
    case hot::SendPrevious: return "Send to Previous";
    case hot::Gather: return "Gather All Windows";
    case hot::Pin: return "On All Desktops";
    default: return {};
  }
}

Hotkey DefaultHotkey(int32_t a) {
  constexpr uint32_t ca = hotmod::Ctrl | hotmod::Alt, cas = ca | hotmod::Shift;
  constexpr uint16_t F1 = 0x70, Left = 0x25, Right = 0x27;
  if (a >= hot::Desktop && a < hot::Desktop + 10) return {ca, static_cast<uint16_t>(F1 + a - hot::Desktop)};
  if (a >= hot::Send && a < hot::Send + 10) return {cas, static_cast<uint16_t>(F1 + a - hot::Send)};
  switch (a) {
    case hot::Next: return {ca, Right};
    case hot::Previous: return {ca, Left};
    case hot::SendNext: return {cas, Right};
    case hot::SendPrevious: return {cas, Left};
    case hot::Gather: return {ca, 'G'};
    case hot::Pin: return {ca, 'P'};
    default: return {};
  }
}

HotkeyTexts DefaultHotkeyTexts() {
  HotkeyTexts t;
  for (int32_t a = 0; a < kHotActionCount; ++a) t[a] = HotkeyText(DefaultHotkey(a));
  return t;
}

HotkeySet ResolveHotkeys(const HotkeyTexts& texts) {
  HotkeySet keys{};
  const auto taken = [&keys](const Hotkey& k, int32_t before) {
    for (int32_t b = 0; b < before; ++b)
      if (keys[b] == k) return true;
    return false;
  };
  for (int32_t a = 0; a < kHotActionCount; ++a) {
    Hotkey k = ParseHotkey(texts[a]).value_or(DefaultHotkey(a));
    if (!k.Empty() && taken(k, a)) k = DefaultHotkey(a);
    if (taken(k, a)) k = {};
    keys[a] = k;
  }
  return keys;
}

}  // namespace korvi
