#pragma once
#include <windows.h>

#include <cstdint>

namespace korvi {

// This process's own use of system resources, for watching it over a long run. Each
// figure is the system's own count where it keeps one, else counted from inside the
// process (some systems keep none, or tell none of them to another process).
enum class Resource : WPARAM { GdiObjects = 0, UserObjects = 1, PrivateKib = 2 };
uint32_t ResourceUse(Resource what);

// The message a pager window answers with ResourceUse(wParam); any other wParam gives 0.
constexpr UINT kResourceQuery = WM_APP + 18;

}  // namespace korvi
