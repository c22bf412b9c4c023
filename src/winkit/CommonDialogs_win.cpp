#include "winkit/CommonDialogs_win.h"

#include "platform/SystemLibrary_win.h"

namespace korvi::commondlg {

namespace {

// The function `name` of the dialog library, which is loaded once, from the system folder.
template <typename Fn>
Fn Function(const char* name) {
  static HMODULE library = LoadSystemLibrary(L"comdlg32.dll");
  return library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name))) : nullptr;
}

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* ofn) {
  static const auto fn = Function<BOOL(WINAPI*)(OPENFILENAMEW*)>("GetOpenFileNameW");
  return fn ? fn(ofn) : FALSE;
}

BOOL ChooseFontW(CHOOSEFONTW* cf) {
  static const auto fn = Function<BOOL(WINAPI*)(CHOOSEFONTW*)>("ChooseFontW");
  return fn ? fn(cf) : FALSE;
}

BOOL ChooseColorA(CHOOSECOLORA* cc) {
  static const auto fn = Function<BOOL(WINAPI*)(CHOOSECOLORA*)>("ChooseColorA");
  return fn ? fn(cc) : FALSE;
}

}  // namespace korvi::commondlg
