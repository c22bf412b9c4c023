// The real Korvi8.exe: new buttons, arranging, moving and sizing, the panel colour,
// the dialogs the menu opens, dropped files and the menu from the keyboard.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "e2e/MenuDriver.h"
#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

// A bare spot of the panel is (kBare, 60). The panel is docked to the top in these
// tests so the menu opens below and right of the pointer: a menu pushed under the
// pointer to fit the screen would start with the item there selected, and the
// arrow keys would count from it.
constexpr int kBare = 700;

// Moves the mouse to a client point of the pager through the input queue only, so the
// pager sees the move even when the pointer was placed there before.
void MouseAt(PagerSession& pager, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(pager.Pager(), &p);
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  for (POINT at : {POINT{p.x - 5, p.y - 5}, p}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (at.x * 65536 + w - 1) / w;
    in.mi.dy = (at.y * 65536 + h - 1) / h;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
    test::Pump(60);
  }
}

// Closes a dialog of the program with one of its buttons and waits until it is hidden.
bool Dismiss(HWND dialog, int buttonId) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
  return test::PumpUntil([&] { return !::IsWindowVisible(dialog); });
}

// The settings text without the captions and hints that the clock and gauge rewrite every second.
std::string WithoutLiveTexts(const std::string& ini) {
  std::string out, section;
  size_t at = 0;
  while (at < ini.size()) {
    size_t end = ini.find('\n', at);
    end = end == std::string::npos ? ini.size() : end + 1;
    const std::string line = ini.substr(at, end - at);
    if (line[0] == '[') section = line;
    const bool live = section.rfind("[BUTTON11]", 0) == 0 || section.rfind("[BUTTON12]", 0) == 0;
    if (!(live && (line.rfind("CAPTION=", 0) == 0 || line.rfind("HINT=", 0) == 0))) out += line;
    at = end;
  }
  return out;
}

TEST(ButtonCommandsEndToEnd, NewButtonsArrangeMoveAndEverythingSurvivesARestart) {
  PagerSession pager("[FORM]\r\nHIDE=0\r\nEDGE=1\r\n[DESKTOP]\r\nCOUNT=4\r\n");
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  for (int item : {menu::NewClock, menu::NewLoad, menu::NewControl, menu::NewExplorer}) {
    ASSERT_TRUE(RightClick(pager, kBare, 60));
    Choose(item);
    test::Pump(200);
  }
  ASSERT_TRUE(test::PumpUntil([&] { return IniValue(pager, "BUTTON14", "VISIBLE") == "1"; })) << "saved at once";
  EXPECT_EQ(IniValue(pager, "BUTTON11", "IDATA"), "1000");
  EXPECT_EQ(IniValue(pager, "BUTTON11", "WIDTH"), "75");
  EXPECT_EQ(IniValue(pager, "BUTTON12", "IDATA"), "2000");
  EXPECT_EQ(IniValue(pager, "BUTTON12", "WIDTH"), "100");
  EXPECT_EQ(IniValue(pager, "BUTTON13", "PROGRAM"), "CONTROL.EXE");
  EXPECT_EQ(IniValue(pager, "BUTTON13", "GLYPH"), pager.Folder() + "\\CONTROL.BMP");
  EXPECT_EQ(IniValue(pager, "BUTTON14", "PROGRAM"), "EXPLORER.EXE");
  EXPECT_EQ(IniValue(pager, "BUTTON14", "HINT"), "Windows Explorer");

  ASSERT_TRUE(RightClick(pager, kBare, 60));
  Choose(menu::Arrange);
  // After the four selectors (4, 83, 162, 241): clock 75, gauge 100, two 40-pixel buttons.
  const char* lefts[] = {"320", "399", "503", "547"};
  for (int n = 11; n <= 14; ++n) {
    const std::string s = "BUTTON" + std::to_string(n);
    EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, s.c_str(), "LEFT") == lefts[n - 11]; }))
        << s << " left " << IniValue(pager, s.c_str(), "LEFT");
    EXPECT_EQ(IniValue(pager, s.c_str(), "TOP"), "4") << s;
  }
  test::Pump(1200);  // a clock tick draws the clock and the gauge
  SaveScreenshot("new-buttons");

  // Move the Control Panel button: its bottom right corner follows the mouse, then the keys.
  HWND readout = ChooseUntilShown(pager, 520, 20, menu::MoveButton, "Korvi8Position");
  ASSERT_TRUE(readout) << "move mode shows the position read-out";
  // Move mode brings the pager to the front: the arrow keys come to it.
  EXPECT_TRUE(test::PumpUntil([&] { return ::GetForegroundWindow() == pager.Pager(); }, 3000));
  test::Pump(300);
  MouseAt(pager, 650, 70);
  test::Pump(200);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  KeyWithShift(VK_RIGHT);  // sizes: width := mouse x - left
  KeyWithShift(VK_UP);
  for (int i = 0; i < 80; ++i) KeyWithShift(VK_LEFT);  // never below 4 x 4
  SaveScreenshot("move-mode");
  Key(VK_RETURN);
  EXPECT_TRUE(test::PumpUntil([&] { return !::IsWindowVisible(readout); })) << "Enter ends move mode";
  test::Pump(300);
  EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "BUTTON13", "LEFT") == "612"; }))
      << "left " << IniValue(pager, "BUTTON13", "LEFT");
  EXPECT_EQ(IniValue(pager, "BUTTON13", "TOP"), "31");
  EXPECT_EQ(IniValue(pager, "BUTTON13", "WIDTH"), "4");
  EXPECT_EQ(IniValue(pager, "BUTTON13", "HEIGHT"), "39");

  // The form's flags and edge, then Exit and a restart.
  ASSERT_TRUE(RightClick(pager, kBare, 60));
  Choose(menu::OnTop);
  ASSERT_TRUE(RightClick(pager, kBare, 60));
  Choose(menu::Smooth);
  ASSERT_TRUE(RightClick(pager, kBare, 60));
  Choose(menu::DockEdge, 2);  // "Left Edge"
  EXPECT_TRUE(test::PumpUntil([&] { return pager.PagerRect().left == 0 && pager.PagerRect().right < 400; }))
      << "docked to the left";
  EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "FORM", "EDGE") == "3"; })) << "saved at once";
  EXPECT_EQ(IniValue(pager, "FORM", "ONTOP"), "1");
  EXPECT_TRUE(::GetWindowLongA(pager.Pager(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "on top at once";
  EXPECT_EQ(IniValue(pager, "FORM", "SMOOTH"), "0");
  ASSERT_TRUE(RightClick(pager, 30, 100));
  Choose(menu::Exit);
  ASSERT_TRUE(test::PumpUntil([&] { return !pager.Running(); }, 8000));
  const std::string saved = pager.ReadIni();

  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  EXPECT_EQ(pager.PagerRect().left, 0) << "the edge came back";
  EXPECT_LT(pager.PagerRect().right, 400);
  EXPECT_TRUE(::GetWindowLongA(pager.Pager(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "on top again after the restart";
  ASSERT_TRUE(RightClick(pager, 30, 100));
  Choose(menu::Exit);
  ASSERT_TRUE(test::PumpUntil([&] { return !pager.Running(); }, 8000));
  EXPECT_EQ(WithoutLiveTexts(pager.ReadIni()), WithoutLiveTexts(saved))
      << "a restart restores everything: saving again changes nothing";
}

TEST(ButtonCommandsEndToEnd, PanelColourIsEachDesktopsOwn) {
  PagerSession pager("[FORM]\r\nHIDE=0\r\nEDGE=1\r\n[DESKTOP]\r\nCOUNT=2\r\n[PANELCOLOR]\r\nCOLOR1=255\r\nCOLOR2=65280\r\n");
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  HWND chooser = ChooseUntilShown(pager, kBare, 60, menu::PanelColor, "#32770", "Color");
  ASSERT_TRUE(chooser) << "no colour chooser";
  // Red 10, green 20, blue 200 typed into the chooser's own fields, then OK.
  const int fields[] = {706, 707, 708};
  const char* values[] = {"10", "20", "200"};
  auto field = [&](int i) { return ::GetDlgItem(chooser, fields[i]); };
  // Wine under load now and then drops an injected click, and the keys then go to the
  // field before; the fields' own texts tell, and a field that lost its value (or never
  // got it) is typed again.
  for (int pass = 0; pass < 3; ++pass)
    for (int i = 0; i < 3; ++i) {
      if (ControlText(field(i)) == values[i]) continue;
      RECT f{};
      ::GetWindowRect(field(i), &f);
      ClickScreen((f.left + f.right) / 2, (f.top + f.bottom) / 2);
      Key(VK_END);
      for (int k = 0; k < 4; ++k) Key(VK_BACK);
      for (const char* c = values[i]; *c; ++c) Key(static_cast<WORD>(*c));
      test::PumpUntil([&] { return ControlText(field(i)) == values[i]; }, 2000);
    }
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(ControlText(field(i)), values[i]) << "the chooser's field " << fields[i] << " took the typed value";
  SaveScreenshot("colour-chooser");
  ::PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(test::PumpUntil([&] { return IniValue(pager, "PANELCOLOR", "COLOR1") == std::to_string(RGB(10, 20, 200)); }))
      << "colour 1 is " << IniValue(pager, "PANELCOLOR", "COLOR1");
  EXPECT_EQ(IniValue(pager, "PANELCOLOR", "COLOR2"), "65280") << "desktop 2 keeps its own";
  const RECT r = pager.PagerRect();
  test::Pump(200);
  EXPECT_EQ(ScreenPixel(r.right - 3, r.bottom - 3), RGB(10, 20, 200));
  pager.ClickClient(4 + 79 + 37, 16);
  EXPECT_TRUE(test::PumpUntil([&] { return ScreenPixel(r.right - 3, r.bottom - 3) == RGB(0, 255, 0); }))
      << "desktop 2 shows its own colour";
  pager.ClickClient(4 + 37, 16);
  EXPECT_TRUE(test::PumpUntil([&] { return ScreenPixel(r.right - 3, r.bottom - 3) == RGB(10, 20, 200); }));

  // Cancel changes nothing but still writes the file.
  ::DeleteFileA(pager.IniPath().c_str());
  chooser = ChooseUntilShown(pager, kBare, 60, menu::PanelColor, "#32770", "Color");
  ASSERT_TRUE(chooser);
  ::PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "PANELCOLOR", "COLOR1") == std::to_string(RGB(10, 20, 200)); }))
      << "saved on cancel too";
}

TEST(ButtonCommandsEndToEnd, DialogCommandsOpenTheirDialogsAndSave) {
  PagerSession pager("[FORM]\r\nHIDE=0\r\nEDGE=1\r\n[DESKTOP]\r\nCOUNT=2\r\n");
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  // "New Executable File": Button Setup on the new entry 11.
  ASSERT_TRUE(RightClick(pager, kBare, 60));
  Choose(menu::NewExe);
  HWND setup = WaitWindow("Korvi8ConfigDialog");
  ASSERT_TRUE(setup) << "Button Setup did not open";
  SaveScreenshot("new-executable-file");
  ASSERT_TRUE(Dismiss(setup, 202));
  EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "BUTTON11", "VISIBLE") == "1"; }));
  // "Configure Buttons", then "Set Wallpaper" cancelled: each writes the file afterwards.
  ::DeleteFileA(pager.IniPath().c_str());
  ASSERT_TRUE(ChooseUntilShown(pager, kBare, 60, menu::Configure, "Korvi8ConfigDialog"));
  ASSERT_TRUE(Dismiss(setup, 202));
  EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "DESKTOP", "COUNT") == "2"; }));
  ::DeleteFileA(pager.IniPath().c_str());
  HWND chooser = ChooseUntilShown(pager, kBare, 60, menu::Wallpaper, "Korvi8ImageDialog");
  ASSERT_TRUE(chooser) << "the image chooser did not open";
  ASSERT_TRUE(Dismiss(chooser, IDCANCEL));
  EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "DESKTOP", "COUNT") == "2"; }));
  EXPECT_EQ(IniValue(pager, "WALLPAPER", "FILE1"), "") << "cancel sets no wallpaper";
  // "About Korvi8" and "Help" show their windows.
  EXPECT_TRUE(ChooseUntilShown(pager, kBare, 60, menu::About, nullptr, "About")) << "no about box";
}

// Sends the pager a drop of `files` at a client point the way the shell does, with the
// DROPFILES block written into the pager's own process (a drop handle made in another
// process is not the receiver's memory).
bool DropFiles(PagerSession& pager, const std::vector<std::string>& files, POINT at) {
  std::string block(sizeof(DROPFILES), '\0');
  auto* df = reinterpret_cast<DROPFILES*>(block.data());
  df->pFiles = sizeof(DROPFILES);
  df->pt = at;
  df->fNC = FALSE;
  df->fWide = FALSE;
  for (const std::string& f : files) block += f + '\0';
  block += '\0';
  DWORD pid = 0;
  ::GetWindowThreadProcessId(pager.Pager(), &pid);
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  void* remote = ::VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool ok = remote && ::WriteProcessMemory(process, remote, block.data(), block.size(), nullptr) &&
                  ::PostMessageA(pager.Pager(), WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  ::CloseHandle(process);
  return ok;
}

TEST(ButtonCommandsEndToEnd, DroppedFilesMakeOneLauncherAtTheDropPoint) {
  PagerSession pager("[FORM]\r\nHIDE=0\r\nEDGE=1\r\n[DESKTOP]\r\nCOUNT=2\r\n");
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  std::vector<std::string> files;
  for (const char* name : {"notes.txt", "second.txt", "third.txt"}) {
    files.push_back(pager.Folder() + "\\" + name);
    test::WriteFileBytes(files.back(), "text");
  }
  ASSERT_TRUE(DropFiles(pager, files, POINT{300, 40}));
  HWND setup = WaitWindow("Korvi8ConfigDialog");
  ASSERT_TRUE(setup) << "Button Setup opens on the new button";
  ASSERT_TRUE(Dismiss(setup, 202));
  EXPECT_TRUE(test::PumpUntil([&] { return IniValue(pager, "BUTTON11", "PROGRAM") == files[0]; }))
      << "program " << IniValue(pager, "BUTTON11", "PROGRAM");
  EXPECT_EQ(IniValue(pager, "BUTTON11", "LEFT"), "300");
  EXPECT_EQ(IniValue(pager, "BUTTON11", "TOP"), "40");
  EXPECT_EQ(IniValue(pager, "BUTTON11", "CAPTION"), "notes");
  EXPECT_EQ(IniValue(pager, "BUTTON12", "VISIBLE"), "0") << "three files make one button";
  EXPECT_TRUE(pager.Running());
  test::Pump(200);
  SaveScreenshot("dropped-file");
}

TEST(ButtonCommandsEndToEnd, ShiftF10AndTheMenuKeyOpenTheMenuForTheHotButton) {
  PagerSession pager(
      "[FORM]\r\nHIDE=0\r\nEDGE=1\r\n[DESKTOP]\r\nCOUNT=2\r\n"
      "[BUTTON15]\r\nVISIBLE=1\r\nLEFT=500\r\nTOP=10\r\nWIDTH=40\r\nHEIGHT=40\r\nCAPTION=B15\r\nIDATA=0\r\n");
  ASSERT_TRUE(pager.Start());
  WaitForStartupAbout();
  pager.ClickClient(kBare, 60);  // the panel takes the keyboard
  MouseAt(pager, 520, 30);
  KeyWithShift(VK_F10);
  ASSERT_TRUE(test::PumpUntil([] { return OpenMenu() != nullptr; })) << "Shift+F10 opened no menu";
  test::Pump(200);
  SaveScreenshot("menu-from-keyboard");
  Choose(menu::Remove);
  HWND ask = WaitWindow("#32770", "Confirm");
  ASSERT_TRUE(ask) << "Remove Button 15 is offered for the button under the pointer";
  EXPECT_EQ(DialogText(ask), "Remove Button 15?");
  ::PostMessageA(ask, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(test::PumpUntil([&] { return !::IsWindow(ask); }));

  // The pointer away from the panel: the menu key opens the menu for the bare panel.
  PagerSession::MoveMouse(500, 500);
  // Nothing of the pager can show when it has seen the pointer leave (it gets no move
  // outside its window), so the test gives the pointer's new place time to reach it.
  test::Pump(600);
  Key(VK_APPS);
  ASSERT_TRUE(test::PumpUntil([] { return OpenMenu() != nullptr; })) << "the menu key opened no menu";
  test::Pump(200);
  SaveScreenshot("menu-key-bare-panel");
  EXPECT_TRUE(ChoiceRefused(menu::Remove, "#32770", "Confirm")) << "no button is hot";
  Key(VK_APPS);
  ASSERT_TRUE(test::PumpUntil([] { return OpenMenu() != nullptr; }));
  Choose(menu::Exit);
  EXPECT_TRUE(test::PumpUntil([&] { return !pager.Running(); }, 8000)) << "the keyboard reaches Exit too";
}

}  // namespace
}  // namespace korvi::e2e
