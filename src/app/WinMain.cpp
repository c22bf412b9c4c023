// Program entry of Korvi8.exe: creates the pager and its helpers once, then runs
// the message loop until the pager window is gone.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "main/DDWinList.h"
#include "main/main.h"
#include "main/main_win.h"
#include "panel/data.h"
#include "platform/Win32Platform_win.h"
#include "util/Text.h"

using namespace korvi;

namespace {

std::string ExecutableDirectory() {
  char path[MAX_PATH * 4] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
  return ExtractFilePath(std::string(path, n));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ::CoInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);

  static SharedState data;
  static Win32Platform platform;
  static TWinListDialog winList(platform.Windows);
  static TForm1 form(data, platform.Ref, winList);
  static PagerWindow pager(form);

  if (!pager.Create(instance)) return 1;
  platform.Desktop.Owner = pager.Handle();
  form.AttachHost(&pager, &pager, &pager);
  pager.OnExit = [&] { ::DestroyWindow(pager.Handle()); };
  form.FormCreate(ExecutableDirectory());
  pager.Show();

  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  ::CoUninitialize();
  return 0;
}
