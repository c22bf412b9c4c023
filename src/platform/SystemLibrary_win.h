#pragma once
// Loading Windows' own DLLs so that no file beside the exe can stand in for them.
// A DLL that is not one of the system's known DLLs is otherwise looked for in the program's folder
// first, and a download folder may hold anything.
#include <windows.h>

namespace korvi {

// Limits the DLL search of this process to the system folder, where Windows offers that
// (Windows 8, or 7 with its update); elsewhere nothing changes. Called first thing at start-up.
void RestrictDllSearchToSystem();

// Loads a DLL from the system folder only, by its bare file name; nullptr when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

}  // namespace korvi
