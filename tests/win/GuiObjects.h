#pragma once
// How many GDI and USER objects this process holds, for leak checks.
#include <windows.h>

namespace korvi::test {

struct GuiObjects {
  long Gdi = 0;
  long User = 0;
  bool FromSystem = false;  // true: GetGuiResources; false: counted by probing
  bool operator==(const GuiObjects& o) const { return Gdi == o.Gdi && User == o.User; }
};

// GetGuiResources where the system has it. Wine's is a stub that answers 0; there
// the live handles are counted instead: Wine takes a GDI handle whose high word is
// 0 as "any generation" of its table slot, and a USER handle likewise, so asking
// every slot's type finds every live object. Window handles are shared by every
// process of the Wine prefix, so only this process's windows are counted: the
// windows of a service that starts or ends meanwhile are not the tick's.
inline bool IsOwnWindow(HWND h) {
  DWORD process = 0;
  return ::IsWindow(h) && ::GetWindowThreadProcessId(h, &process) && process == ::GetCurrentProcessId();
}

inline GuiObjects CountGuiObjects() {
  GuiObjects n;
  n.Gdi = static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
  n.User = static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS));
  if (n.Gdi > 0) {
    n.FromSystem = true;
    return n;
  }
  n.Gdi = n.User = 0;
  for (UINT i = 1; i < 0x10000; ++i)
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(i)))) ++n.Gdi;
  for (UINT i = 0x20; i < 0xFFF0; i += 2) {
    const UINT_PTR h = i;
    if (IsOwnWindow(reinterpret_cast<HWND>(h)) || ::IsMenu(reinterpret_cast<HMENU>(h))) ++n.User;
  }
  return n;
}

}  // namespace korvi::test
