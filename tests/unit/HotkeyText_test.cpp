// The key descriptions of [HOTKEYS]: reading, writing, and the keys a set of texts gives.
#include <gtest/gtest.h>

#include "panel/HotkeyText.h"

namespace korvi {
namespace {

constexpr uint32_t C = hotmod::Ctrl, A = hotmod::Alt, S = hotmod::Shift, W = hotmod::Win;

TEST(HotkeyText, ReadsSpellingsAndWritesOneForm) {
  struct Case {
    const char* text;
    std::optional<Hotkey> key;
    const char* written;  // the form the pager writes back
  };
  const Case cases[] = {
      {"Ctrl+Alt+F3", Hotkey{C | A, 0x72}, "Ctrl+Alt+F3"},
      {"alt+ctrl+f3", Hotkey{C | A, 0x72}, "Ctrl+Alt+F3"},
      {" Shift + Control + Alt + Right ", Hotkey{C | A | S, 0x27}, "Ctrl+Alt+Shift+Right"},
      {"Win+Shift+g", Hotkey{S | W, 'G'}, "Shift+Win+G"},
      {"Ctrl+Alt+PgDn", Hotkey{C | A, 0x22}, "Ctrl+Alt+PageDown"},
      {"Ctrl+Num+", Hotkey{C, 0x6B}, "Ctrl+Num+"},
      {"Ctrl+Num7", Hotkey{C, 0x67}, "Ctrl+Num7"},
      {"F24", Hotkey{0, 0x87}, "F24"},
      {"Ctrl+7", Hotkey{C, '7'}, "Ctrl+7"},
      {"", Hotkey{}, ""},
      {"   ", Hotkey{}, ""},
      // Unknown names, a modifier twice or alone, broken separators.
      {"Ctrl+Alt+F25", std::nullopt, ""},
      {"Ctrl+Alt+F0", std::nullopt, ""},
      {"Ctrl+Alt+F01", std::nullopt, ""},
      {"Ctrl+Hyper+F1", std::nullopt, ""},
      {"Ctrl+Ctrl+F1", std::nullopt, ""},
      {"Ctrl+Alt", std::nullopt, ""},
      {"Ctrl+Alt+", std::nullopt, ""},
      {"Ctrl+F1+Alt", std::nullopt, ""},
      {"Ctrl++", std::nullopt, ""},
      {"Ctrl+Alt+Fx", std::nullopt, ""},
      {"\xC3\x84", std::nullopt, ""},
      {"Ctrl+Alt+F1\x01", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    const std::optional<Hotkey> got = ParseHotkey(c.text);
    ASSERT_EQ(got.has_value(), c.key.has_value()) << "'" << c.text << "'";
    if (!got) continue;
    EXPECT_EQ(*got, *c.key) << "'" << c.text << "' modifiers " << got->Modifiers << " key " << got->Key;
    EXPECT_EQ(HotkeyText(*got), c.written) << "'" << c.text << "'";
    EXPECT_EQ(ParseHotkey(HotkeyText(*got)), got) << "'" << c.text << "' reads back as written";
  }
  EXPECT_FALSE(ParseHotkey(std::string(100000, '+') + "F1")) << "a long run of separators";
  EXPECT_FALSE(ParseHotkey(std::string(3000, 'A')));
}

TEST(HotkeyText, DefaultsAndResolution) {
  const HotkeyTexts defaults = DefaultHotkeyTexts();
  EXPECT_EQ(defaults[hot::Desktop], "Ctrl+Alt+F1");
  EXPECT_EQ(defaults[hot::Desktop + 9], "Ctrl+Alt+F10");
  EXPECT_EQ(defaults[hot::Send + 4], "Ctrl+Alt+Shift+F5");
  EXPECT_EQ(defaults[hot::Previous], "Ctrl+Alt+Left");
  EXPECT_EQ(defaults[hot::SendNext], "Ctrl+Alt+Shift+Right");
  EXPECT_EQ(defaults[hot::Gather], "Ctrl+Alt+G");
  EXPECT_EQ(defaults[hot::Pin], "Ctrl+Alt+P");
  EXPECT_EQ(HotActionName(hot::SendPrevious), "SENDPREVIOUS");
  EXPECT_EQ(HotActionName(hot::Desktop + 9), "DESKTOP10");

  HotkeyTexts t = defaults;
  t[hot::Desktop] = "nonsense";             // unreadable: the default
  t[hot::Desktop + 1] = "";                 // no key
  t[hot::Next] = "Ctrl+Alt+F1";             // DESKTOP1's: its own default instead
  t[hot::Gather] = "Ctrl+Alt+P";            // PIN's default, taken first: PIN falls back...
  t[hot::Pin] = "Ctrl+Alt+G";               // ...to GATHER's default, which is free now
  t[hot::Send] = "Ctrl+Alt+Shift+F2";       // SEND2's default: SEND2 has none left
  const HotkeySet k = ResolveHotkeys(t);
  EXPECT_EQ(k[hot::Desktop], DefaultHotkey(hot::Desktop));
  EXPECT_TRUE(k[hot::Desktop + 1].Empty());
  EXPECT_EQ(k[hot::Next], DefaultHotkey(hot::Next));
  EXPECT_EQ(k[hot::Gather], DefaultHotkey(hot::Pin));
  EXPECT_EQ(k[hot::Pin], DefaultHotkey(hot::Gather));
  EXPECT_EQ(k[hot::Send], DefaultHotkey(hot::Send + 1));
  EXPECT_TRUE(k[hot::Send + 1].Empty()) << "its own default is SEND1's now";
  for (int32_t a = 0; a < kHotActionCount; ++a)
    for (int32_t b = a + 1; b < kHotActionCount; ++b)
      if (!k[a].Empty()) {
        EXPECT_NE(k[a], k[b]) << HotActionName(a) << " and " << HotActionName(b);
      }
}

}  // namespace
}  // namespace korvi
