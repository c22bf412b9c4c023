#include "platform/ResourceUse_win.h"

#include <psapi.h>

namespace korvi {

namespace {

// GDI objects by handle: a system that does not count them takes a handle's low 16 bits
// as its index (the rest of the handle is then not checked), so every live object of
// the process answers one of the 65,536 values with its type.
uint32_t ProbeGdiObjects(DWORD type = 0) {
  uint32_t n = 0;
  for (uintptr_t i = 1; i <= 0xFFFF; ++i) {
    const DWORD t = ::GetObjectType(reinterpret_cast<HGDIOBJ>(i));
    n += t != 0 && (type == 0 || t == type);
  }
  return n;
}

BOOL CALLBACK CountWindow(HWND h, LPARAM count) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  if (pid != ::GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<uint32_t*>(count);
  ::EnumChildWindows(h, &CountWindow, count);
  return TRUE;
}

// The process's windows, the bulk of its USER objects, when the system counts none.
uint32_t CountOwnWindows() {
  uint32_t n = 0;
  ::EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

// Committed private memory, summed over the address space.
uint64_t CommittedPrivateBytes() {
  uint64_t total = 0;
  MEMORY_BASIC_INFORMATION mb{};
  const char* at = nullptr;
  while (::VirtualQuery(at, &mb, sizeof mb) == sizeof mb) {
    if (mb.State == MEM_COMMIT && mb.Type == MEM_PRIVATE) total += mb.RegionSize;
    const char* next = static_cast<const char*>(mb.BaseAddress) + mb.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

}  // namespace

uint32_t GdiObjectsOfType(DWORD type) { return type == 0 ? 0 : ProbeGdiObjects(type); }

uint32_t ResourceUse(Resource what) {
  const HANDLE self = ::GetCurrentProcess();
  switch (what) {
    case Resource::GdiObjects:
      if (const DWORD n = ::GetGuiResources(self, GR_GDIOBJECTS)) return n;
      return ProbeGdiObjects();
    case Resource::UserObjects:
      if (const DWORD n = ::GetGuiResources(self, GR_USEROBJECTS)) return n;
      return CountOwnWindows();
    case Resource::PrivateKib: {
      PROCESS_MEMORY_COUNTERS_EX m{};
      m.cb = sizeof m;
      if (::GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m) && m.PrivateUsage)
        return static_cast<uint32_t>(m.PrivateUsage / 1024);
      return static_cast<uint32_t>(CommittedPrivateBytes() / 1024);
    }
  }
  return 0;
}

}  // namespace korvi
