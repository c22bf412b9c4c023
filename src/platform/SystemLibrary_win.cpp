#include "platform/SystemLibrary_win.h"

#include <string>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace korvi {

void RestrictDllSearchToSystem() {
  // Looked up at run time: Windows 7 without its update has no such function.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  auto set = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
                          reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")))
                    : nullptr;
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // The current folder is never searched either, where the older switch exists.
  ::SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
  if (HMODULE m = ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return m;
  // Systems that do not know the flag refuse the call; name the system folder's file instead.
  wchar_t dir[MAX_PATH];
  UINT n = ::GetSystemDirectoryW(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  std::wstring path(dir, n);
  path += L'\\';
  path += fileName;
  return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace korvi
