#pragma once
#include <windows.h>

#include <cstdint>

namespace korvi {

// This process's own use of system resources, for watching it over a long run. Each
// figure is the system's own count where it keeps one, else counted from inside the
// process (some systems keep none, or tell none of them to another process).
enum class Resource : WPARAM { GdiObjects = 0, UserObjects = 1, PrivateKib = 2 };
uint32_t ResourceUse(Resource what);
// The GDI objects of one type (OBJ_PEN, OBJ_BRUSH, ... as GetObjectType names them), where
// the system lets them be counted from inside; else 0. To tell what grows.
uint32_t GdiObjectsOfType(DWORD type);

// The message a pager window answers with ResourceUse(wParam), or for wParam
// kGdiTypeQuery + type with GdiObjectsOfType(type); any other wParam gives 0.
constexpr UINT kResourceQuery = WM_APP + 18;
constexpr WPARAM kGdiTypeQuery = 0x100;

}  // namespace korvi
