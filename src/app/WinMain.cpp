// Program entry of Korvi8.exe: creates the pager and its helpers once, then runs
// the message loop until the pager window is gone.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "buttons/DDConfig.h"
#include "buttons/DDConfig_win.h"
#include "buttons/DDImage.h"
#include "buttons/DDImage_win.h"
#include "buttons/FileImage_win.h"
#include "help/FFAbout.h"
#include "help/FFAbout_win.h"
#include "help/FFHelp.h"
#include "help/FFHelp_win.h"
#include "buttons/Launch_win.h"
#include "main/ClockDraw_win.h"
#include "main/ClockPanel.h"
#include "main/DDTransparent.h"
#include "main/DDTransparent_win.h"
#include "main/DDWinList.h"
#include "main/DDWinList_win.h"
#include "main/FFPos.h"
#include "main/FFPos_win.h"
#include "main/HotkeyDialog_win.h"
#include "main/Guardian_win.h"
#include "main/main.h"
#include "main/PagerServices_win.h"
#include "main/PagerWindow_win.h"
#include "platform/SystemInfo_win.h"
#include "panel/Settings.h"
#include "panel/data.h"
#include "platform/Win32Platform_win.h"
#include "platform/SystemLibrary_win.h"
#include "util/Text.h"
#include "platform/WideText_win.h"

using namespace korvi;

namespace {

std::string ExecutableDirectory() {
  // Long enough for any path the system gives (32767 UTF-16 units).
  std::wstring path(32768, L'\0');
  const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n < path.size() ? n : 0);
  return ExtractFilePath(Narrow(path));
}

TForm1* g_pager = nullptr;

// A fault the program cannot survive: the windows of every desktop come onto the
// screen before the process goes (the guardian checks them again afterwards).
LONG WINAPI GatherBeforeCrash(EXCEPTION_POINTERS*) {
  static LONG once = 0;
  if (g_pager && ::InterlockedExchange(&once, 1) == 0) g_pager->GatherAll();
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // Before anything loads a DLL on demand (themes, the shell's extensions, COM servers).
  RestrictDllSearchToSystem();
  if (const DWORD pager = GuardedProcess(commandLine)) return RunGuardian(pager);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);

  static SharedState data;
  static Win32Platform platform;
  static TWinListDialog winList(platform.Windows);
  static FileImage images;
  static Win32GlyphSource glyphs(images);
  static Win32LaunchServices launch(ExecutableDirectory(), nullptr);
  static TForm1 form(data, platform.Ref, winList, &glyphs, &launch);
  static PagerWindow pager(form);
  static Win32SystemInfo systemInfo;
  static GdiGaugeCanvas gauges;
  static ClockPanel clocks(form, systemInfo, gauges, &glyphs);
  // The two dialogs that edit buttons; "Button Setup" works on the live button table.
  static Win32PreviewSource previews(images);
  static TImageDialog imageDialog(&previews);
  static TConfigDialog configDialog([](int32_t n) -> TExeButton& { return form.Button(n); }, &glyphs, imageDialog);

  // The pager first: its creation is the start-up of the whole program.
  if (!pager.Create(instance)) return 1;
  platform.Desktop.Owner = pager.Handle();
  launch.SetOwner(pager.AppWindow(), pager.Handle());
  form.AttachHost(&pager, &pager, &pager.Outline());
  form.AttachClocks(&clocks);
  form.FormCreate(ExecutableDirectory());
  pager.Show();
  g_pager = &form;
  ::SetUnhandledExceptionFilter(&GatherBeforeCrash);
  RestoreOrphanedWindows();
  StartGuardian();

  // Then the helper windows, once each, hidden until needed.
  static ConfigDialogWindow configView(configDialog);
  configView.Create(instance, pager.Handle());
  configDialog.OnSaved = [] { pager.Repaint(); };  // a save shows on the panel at once
  configDialog.CanSave = [](const std::string& text) { return SettingsFileCanHold(data, platform.Files, text); };
  static ImageDialogWindow imageView(imageDialog);
  imageView.Create(instance, pager.Handle());
  static WinListWindow winListView(winList);
  winListView.Create(instance);
  static HotkeyDialogWindow hotkeyView;
  hotkeyView.Create(instance, pager.Handle());
  static TPosForm pos;
  static PosWindow posView(pos);
  posView.Create(instance);
  static TTransparentDialog picker(winList, platform.Windows);
  static PickerWindow pickerView(picker);
  pickerView.Create(instance);
  static THelpForm help(platform.Files);
  static HelpWindow helpView(help, platform.Files);
  helpView.Create(instance);
  // Last: the about box shows itself two seconds after its creation.
  static TAboutBox about;
  static AboutWindow aboutView(about);
  aboutView.Create(instance);
  // The commands' dialogs and windows, now that they exist.
  static Win32PagerServices commands(pager.Handle(), picker, posView);
  commands.OnAbout = [] { about.ShowAbout(); };
  commands.OnShowHelp = [] { help.ShowHelp(data); };
  commands.OnConfigure = [](int32_t n) { return configDialog.Execute(n); };
  commands.OnChooseImage = [](std::string& file) {
    if (!imageDialog.Execute()) return false;
    file = imageDialog.FileName;
    return true;
  };
  commands.OnEditHotkeys = [](HotkeySet& keys) { return hotkeyView.Execute(keys); };
  form.AttachCommands(&commands, &pos);
  // The hotkeys last, once every window they may open exists.
  platform.Windows.HotkeyTarget = pager.Handle();
  form.RegisterHotkeys();

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (helpView.TranslateAccelerator(msg) || aboutView.TakeDialogKey(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
