// The hotkeys and the windows on all desktops, over a scripted desktop 1024 pixels
// wide: registration, what each key does, the hotkey dialog's save, and the sticky
// windows through switches and gathering.
#include <gtest/gtest.h>

#include "support/PagerRig.h"

namespace korvi {
namespace {

constexpr uint32_t CA = hotmod::Ctrl | hotmod::Alt;

class Hotkeys : public ::testing::Test {
 protected:
  test::PagerRig rig;
  test::FakeWindowSystem& windows = rig.fake.Windows;

  void Start(const std::string& ini = "[DESKTOP]\r\nCOUNT=3\r\n") {
    rig.Start(ini);
    rig.form.RegisterHotkeys();
  }
  void Press(int32_t action) { rig.form.RunHotkey(action + 1); }
  int32_t LeftOf(WindowHandle h) { return windows.Get(h).Bounds.Left; }
  // The registered key of an action, as modifiers and key code.
  std::pair<uint32_t, uint32_t> Registered(int32_t action) {
    auto it = windows.Hotkeys.find(action + 1);
    return it == windows.Hotkeys.end() ? std::pair<uint32_t, uint32_t>{} : it->second;
  }
};

TEST_F(Hotkeys, DefaultsRegisteredAndAFileWithoutKeysStaysWithout) {
  Start();
  EXPECT_EQ(windows.Hotkeys.size(), static_cast<size_t>(kHotActionCount));
  EXPECT_EQ(Registered(hot::Desktop + 2), (std::pair<uint32_t, uint32_t>{CA, 0x72}));
  EXPECT_EQ(Registered(hot::SendPrevious), (std::pair<uint32_t, uint32_t>{CA | hotmod::Shift, 0x25}));
  EXPECT_TRUE(rig.fake.Desktop.Errors.empty());
  rig.form.FormClick();
  EXPECT_EQ(rig.Ini().find("HOTKEYS"), std::string::npos) << rig.Ini();
  EXPECT_EQ(rig.Ini().find("STICKY"), std::string::npos);
}

TEST_F(Hotkeys, BadLinesFallBackAndAreKeptUntilTheUserChangesThatKey) {
  std::string ini = "[DESKTOP]\r\nCOUNT=3\r\n[HOTKEYS]\r\nDESKTOP1=Ctrl+Alt+Nowhere\r\nDESKTOP2=ctrl+alt+f1\r\n"
                    "NEXT=Ctrl+Alt+F2\r\nNEXT=Ctrl+Alt+N\r\nGATHER=" + std::string(5000, 'x') + "\r\nPIN=\r\n";
  for (int i = 0; i < 10000; ++i) ini += "KEY" + std::to_string(i) + "=Ctrl+Alt+F1\r\n";
  ini += "[STICKY]\r\nCLASS1=" + std::string(5000, 'c') + "\r\n";
  Start(ini);
  EXPECT_EQ(Registered(hot::Desktop), (std::pair<uint32_t, uint32_t>{CA, 0x70})) << "unknown name: the default";
  EXPECT_EQ(Registered(hot::Desktop + 1), (std::pair<uint32_t, uint32_t>{CA, 0x71})) << "DESKTOP1's key: its default";
  EXPECT_EQ(Registered(hot::Next), (std::pair<uint32_t, uint32_t>{CA, 0x27})) << "the first NEXT line counts";
  EXPECT_EQ(Registered(hot::Gather), (std::pair<uint32_t, uint32_t>{CA, 'G'}));
  EXPECT_EQ(Registered(hot::Pin), (std::pair<uint32_t, uint32_t>{})) << "an empty value is no key";
  rig.form.FormClick();
  const std::string written = rig.Ini();
  const std::string block = ini.substr(ini.find("[HOTKEYS]"));
  EXPECT_TRUE(written.find(block) != std::string::npos) << "nothing the user wrote is rewritten";
  EXPECT_TRUE(written.find("DESKTOP3") == std::string::npos) << "no default is added";

  // The dialog: OK with one key changed writes that key alone.
  rig.services.HotkeyAnswer = [](HotkeySet& keys) {
    keys[hot::Desktop + 2] = {CA, 'D'};
    return true;
  };
  rig.form.Popup1Popup(tag::SetHotkeys);
  EXPECT_EQ(Registered(hot::Desktop + 2), (std::pair<uint32_t, uint32_t>{CA, 'D'})) << "registered again at once";
  const std::string after = rig.Ini();
  const std::string line = "DESKTOP3=Ctrl+Alt+D\r\n";
  EXPECT_TRUE(after.find("KEY9999=Ctrl+Alt+F1\r\n" + line) != std::string::npos) << "added after the section's last key";
  EXPECT_TRUE(after.size() == written.size() + line.size()) << "and nothing else changed";
}

TEST_F(Hotkeys, KeysHeldElsewhereGiveOneMessageAndTheOthersWork) {
  windows.HeldElsewhere = {{CA, 0x70}, {CA, 'G'}};
  Start();
  ASSERT_EQ(rig.fake.Desktop.Errors.size(), 1u);
  const std::string& m = rig.fake.Desktop.Errors[0];
  EXPECT_NE(m.find("Ctrl+Alt+F1  (Desktop 1)"), std::string::npos) << m;
  EXPECT_NE(m.find("Ctrl+Alt+G  (Gather All Windows)"), std::string::npos) << m;
  EXPECT_EQ(windows.Hotkeys.size(), static_cast<size_t>(kHotActionCount - 2));
  // The dialog registers again: the keys named once are not named again, a new one
  // that fails is.
  rig.services.HotkeyAnswer = [](HotkeySet&) { return false; };
  rig.form.Popup1Popup(tag::SetHotkeys);
  EXPECT_EQ(rig.fake.Desktop.Errors.size(), 1u) << "Cancel";
  EXPECT_EQ(windows.Hotkeys.size(), static_cast<size_t>(kHotActionCount - 2));
  windows.HeldElsewhere.push_back({CA, 'X'});
  rig.services.HotkeyAnswer = [](HotkeySet& keys) {
    keys[hot::Pin] = {CA, 'X'};
    return true;
  };
  rig.form.Popup1Popup(tag::SetHotkeys);
  ASSERT_EQ(rig.fake.Desktop.Errors.size(), 2u);
  EXPECT_NE(rig.fake.Desktop.Errors[1].find("Ctrl+Alt+X  (On All Desktops)"), std::string::npos);
  EXPECT_EQ(rig.fake.Desktop.Errors[1].find("Ctrl+Alt+G"), std::string::npos) << rig.fake.Desktop.Errors[1];
}

TEST_F(Hotkeys, SwitchSendAndGatherKeys) {
  Start();
  const WindowHandle one = windows.Add({100, 0, 300, 100});
  const WindowHandle two = windows.Add({1124, 0, 1324, 100});
  const WindowHandle pager = windows.Add({0, 700, 1024, 768});
  windows.Get(pager).Own = true;
  rig.form.OwnWindow = windows.Add({0, 600, 1024, 700});

  Press(hot::Previous);
  EXPECT_EQ(rig.data.CurrentDesktop, 1) << "no wrap below desktop 1";
  Press(hot::Desktop + 3);
  EXPECT_EQ(rig.data.CurrentDesktop, 1) << "nothing beyond the desktop count";
  Press(hot::Desktop + 1);
  EXPECT_EQ(rig.data.CurrentDesktop, 2);
  EXPECT_TRUE(rig.form.Button(2).Down) << "its selector is down";
  EXPECT_EQ(LeftOf(one), 100 - 1024);
  EXPECT_EQ(LeftOf(two), 100);

  windows.Foreground = two;
  Press(hot::Send + 2);
  EXPECT_EQ(rig.data.CurrentDesktop, 2) << "the current desktop stays";
  EXPECT_EQ(LeftOf(two), 100 + 1024) << "sent to desktop 3";
  windows.Foreground = pager;
  const int32_t pagerLeft = LeftOf(pager);
  Press(hot::Send);
  EXPECT_EQ(LeftOf(pager), pagerLeft) << "the pager's own windows are never sent";

  windows.Foreground = one;  // off the screen, as a program may activate itself
  Press(hot::Next);
  EXPECT_EQ(rig.data.CurrentDesktop, 3);
  Press(hot::Next);
  EXPECT_EQ(rig.data.CurrentDesktop, 3) << "no wrap beyond the count";
  windows.Foreground = two;
  Press(hot::SendPrevious);
  EXPECT_EQ(rig.data.CurrentDesktop, 2);
  EXPECT_EQ(LeftOf(two), 100) << "the active window goes along";
  EXPECT_EQ(LeftOf(one), 100 - 1024);

  rig.form.Popup1Popup(tag::DeskCount + 2);
  Press(hot::Gather);
  EXPECT_EQ(LeftOf(one), 100) << "gathered onto the current desktop";
  EXPECT_EQ(LeftOf(rig.form.OwnWindow), 0);
}

TEST_F(Hotkeys, StickyWindowsStayThroughSwitchesAndGathering) {
  Start("[DESKTOP]\r\nCOUNT=3\r\n[STICKY]\r\nCLASS2=notepad\r\nCLASS1=\r\n");
  const WindowHandle byClass = windows.Add({100, 0, 300, 100});
  windows.Get(byClass).Class = "Notepad";
  const WindowHandle pinned = windows.Add({200, 0, 400, 100});
  const WindowHandle plain = windows.Add({300, 0, 500, 100});
  const WindowHandle away = windows.Add({-1024 + 50, 0, -1024 + 250, 100});  // beyond desktop 1
  windows.Foreground = pinned;
  Press(hot::Pin);

  Press(hot::Desktop + 2);
  EXPECT_EQ(LeftOf(byClass), 100);
  EXPECT_EQ(LeftOf(pinned), 200);
  EXPECT_EQ(LeftOf(plain), 300 - 2048);
  windows.Foreground = byClass;
  Press(hot::SendPrevious);
  EXPECT_EQ(LeftOf(byClass), 100) << "a sticky window cannot be sent";
  EXPECT_EQ(LeftOf(plain), 300 - 1024);

  // Unpinned, it belongs to the desktop where it is now: desktop 2.
  windows.Foreground = pinned;
  Press(hot::Pin);
  Press(hot::Desktop);
  EXPECT_EQ(LeftOf(pinned), 200 + 1024);
  EXPECT_EQ(LeftOf(plain), 300);
  EXPECT_EQ(LeftOf(byClass), 100);

  // The menu's picker pins a window too; gathering leaves it and the class window be.
  windows.Get(byClass).Bounds = {-500, 0, -300, 100};
  rig.services.PickedEntry = [&] {
    for (int i = 2; i <= kWinListSize; ++i)
      if (rig.winList.Entry(i).Handle == plain) return i;
    return 0;
  };
  rig.winList.Load();
  rig.form.Popup1Popup(tag::StickyWindow);
  EXPECT_TRUE(rig.form.Sticky().IsPinned(plain));
  windows.Get(plain).Bounds = {-700, 0, -500, 100};
  rig.form.GatherAll();
  EXPECT_EQ(LeftOf(byClass), -500);
  EXPECT_EQ(LeftOf(plain), -700);
  EXPECT_EQ(LeftOf(away), 50) << "other windows are gathered";

  // A window pinned while off the screen comes onto it first.
  const WindowHandle elsewhere = windows.Add({2048 + 10, 0, 2048 + 110, 100});
  windows.Foreground = elsewhere;
  Press(hot::Pin);
  EXPECT_EQ(LeftOf(elsewhere), 10);
  EXPECT_TRUE(rig.form.Sticky().IsPinned(elsewhere));

  // A pin lasts as long as its window.
  windows.Get(plain).Alive = false;
  rig.form.GatherAll();
  EXPECT_FALSE(rig.form.Sticky().IsPinned(plain));
}

}  // namespace
}  // namespace korvi
