#pragma once
// The system's common dialogs (open a file, choose a font, choose a colour), with the
// dialog library loaded on first use rather than at start-up. That library brings the
// printing system with it (under Wine the print spooler and the libraries behind it,
// some 4 MB of resident memory in the pager and again in its guardian), and a pager that
// waits on the screen all day needs none of it until one of these dialogs opens.
#include <windows.h>
#include <commdlg.h>

namespace korvi::commondlg {

// As the functions of the same name; FALSE (as for a cancelled dialog) when the library
// or the function cannot be had.
BOOL GetOpenFileNameW(OPENFILENAMEW* ofn);
BOOL ChooseFontW(CHOOSEFONTW* cf);
BOOL ChooseColorA(CHOOSECOLORA* cc);

}  // namespace korvi::commondlg
